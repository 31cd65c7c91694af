// A CListViewEx in report mode under a parent window that records the notifications it gets
// after reflection, with helpers that speak to the list through the extension.
#pragma once

#include <string>
#include <vector>

#include "listctrl/CListViewEx.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/Services.h"

// A desktop whose colour depth, cursor and menu choice a test sets; it installs itself in the
// platform services while it lives.
class ScriptedDesktop : public DesktopService {
 public:
  ScriptedDesktop();
  ~ScriptedDesktop() override;
  UINT TrackPopupMenu(CMenu& menu, UINT flags, POINT screenPoint, CWnd* owner) override;
  POINT GetCursorPos() override { return cursor; }
  COLORREF GetSysColor(int index) override;
  int BitsPerPixel(HWND) override { return bitsPerPixel; }
  HCURSOR LoadSystemCursor(int) override { return nullptr; }
  void SetCursor(HCURSOR) override {}
  SIZE MeasureText(HFONT, const std::string& text) override;
  TEXTMETRIC FontMetrics(HFONT) override;

  int bitsPerPixel = 32;
  COLORREF grayText = RGB(109, 109, 109);
  POINT cursor{300, 200};
  // Entry (by position from the top) that the user picks; -1 picks nothing.
  int choosePosition = -1;
  struct Shown {
    std::string text;
    UINT flags;
  };
  std::vector<Shown> shownMenu;
  POINT shownAt{};
  int menusShown = 0;

 private:
  DesktopService* m_previous;
};

// What the list's parent saw of the list's notifications.
class RecordingParent : public CWnd {
 public:
  struct Seen {
    int code = 0;
    int subItem = 0;
    LPARAM lParam = 0;
  };
  std::vector<Seen> seen;
  // Text the parent gives for display-information requests that reach it.
  std::string dispInfoText = "from parent";

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  int Count(int code) const;
};

class ListFixture {
 public:
  explicit ListFixture(DWORD style = LVS_REPORT, CListViewEx* list = nullptr);
  ~ListFixture();
  ListFixture(const ListFixture&) = delete;
  ListFixture& operator=(const ListFixture&) = delete;

  CListViewEx& List() { return *m_list; }
  HWND Hwnd() { return m_list->m_hWnd; }
  HWND Header();
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT Direct(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  int InsertColumn(int column, const std::string& title, int width, bool canHide = true,
                   int order = -1);
  int InsertItem(int index, LPARAM data, const std::string& text);
  BOOL SetText(int item, int column, const std::string& text);
  // Through LVM_GETITEMTEXTA, and through LVM_GETITEMA with LVIF_TEXT.
  std::string Text(int item, int column);
  std::string TextByGetItem(int item, int column);
  // The control's own text at a control column index.
  std::string ControlText(int item, int controlIndex);
  std::string ControlColumnTitle(int controlIndex);
  LPARAM Data(int item);
  std::vector<int> OrderArray();
  std::vector<int> ControlOrderArray();
  int HeaderCount();
  // Simulates a header drag: HDN_ENDDRAG to the list, then the header applies the new order
  // when the list's answer lets it, as the header does.
  void DragHeader(int headerItem, int newOrder);
  void ClickHeader(int headerItem);

  RecordingParent parent;

 private:
  CListViewEx m_ownList;
  CListViewEx* m_list;
};
