// The column messages of a list-view control. A column is a header item (title, width,
// display order) plus the list's own record (format, image, sub-item); both are kept in step,
// and every item's cells shift with an inserted or deleted column.
//
// Column 0 is always left-aligned: a format given for index 0 (on insertion or by
// LVM_SETCOLUMNA) loses its justification, in the list and in the header.
#pragma once

#include "ListLayout.h"
#include "ListNotifier.h"

class ListColumnOps final {
 public:
  ListColumnOps(ListViewState& state, ListLayout& layout, ListNotifier& notifier)
      : m_state(state), m_layout(layout), m_notifier(notifier) {}

  LRESULT Insert(int index, const LVCOLUMNA* in);
  LRESULT Delete(int index);
  LRESULT Get(int index, LVCOLUMNA* io) const;
  LRESULT Set(int index, const LVCOLUMNA* in);
  LRESULT GetWidth(int index) const;
  // width: pixels, LVSCW_AUTOSIZE (widest text) or LVSCW_AUTOSIZE_USEHEADER (widest text or
  // title; the last displayed column fills the rest of the client width). Other negative
  // widths are refused.
  LRESULT SetWidth(int index, int width);
  LRESULT GetOrder(int count, int* out) const;
  LRESULT SetOrder(int count, const int* in);
  LRESULT StringWidth(LPCSTR text) const;

 private:
  int AutoWidth(int index, bool useHeader);
  static int HeaderFormat(int listFormat, int oldHeaderFormat);
  void Changed();

  ListViewState& m_state;
  ListLayout& m_layout;
  ListNotifier& m_notifier;
};
