// Painting of a list-view control through CDC, for the rows that meet the clip box only.
//
// WM_PAINT: WM_ERASEBKGND goes through the list window first (a subclassing window may paint
// its own background; when it answers 0 the list fills the clip box with its background
// colour). Then each visible row: owner-drawn report lists send WM_DRAWITEM to the parent;
// other lists paint the row themselves between the NM_CUSTOMDRAW stages the parent asks for
// (CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_SUBITEMPREPAINT/-POSTPAINT per cell in display
// order, CDDS_ITEMPOSTPAINT, CDDS_POSTPAINT). Grid lines come last.
// The hot item of a list with LVS_EX_UNDERLINEHOT (and LVS_EX_ONECLICKACTIVATE, or
// LVS_EX_TWOCLICKACTIVATE while it is selected) shows its texts underlined in the hot colour.
#pragma once

#include "ListLayout.h"
#include "ListNotifier.h"
#include "platform/afx/CFont.h"

class CDC;

class ListPainter final {
 public:
  ListPainter(ListViewState& state, ListLayout& layout, ListNotifier& notifier)
      : m_state(state), m_layout(layout), m_notifier(notifier) {}

  void Paint(CDC* dc);
  // The control's own background erase: the clip box below the header in the background
  // colour (nothing with CLR_NONE). Returns TRUE.
  BOOL Erase(CDC* dc);
  // The text background colour in force (CLR_DEFAULT stands for the background colour).
  COLORREF TextBkColor() const;

 private:
  struct Colors {
    COLORREF text;
    COLORREF textBk;
  };

  LRESULT CustomDraw(NMLVCUSTOMDRAW& cd, DWORD stage);
  NMLVCUSTOMDRAW ItemRecord(CDC* dc, int item, const RECT& rect) const;
  void PaintOwnerDrawn(CDC* dc, int first, int last);
  void PaintReportItem(CDC* dc, const RECT& clip, int item, bool notify);
  void PaintCell(CDC* dc, int item, int column, const RECT& cell, const Colors& colors);
  void PaintFirstCell(CDC* dc, int item, const RECT& cell, const char* text, Colors colors);
  void PaintIconItem(CDC* dc, int item, bool notify);
  void PaintGridLines(CDC* dc, const RECT& clip);
  void DrawImage(CDC* dc, HIMAGELIST list, int index, const RECT& area, UINT style);
  bool Highlighted(int item) const;
  bool HotLook(int item) const;
  void DrawText(CDC* dc, int item, const char* text, RECT rect, int fmt, COLORREF color);
  COLORREF SelectionColor() const;

  ListViewState& m_state;
  ListLayout& m_layout;
  ListNotifier& m_notifier;
  RECT m_labelBox;  // where the row being painted shows selection and focus in column 0
  CFont m_hotFont;  // underlined copy of the list's font, made when a hot item is painted
  HFONT m_hotFontBase = nullptr;
};
