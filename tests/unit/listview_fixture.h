// A list-view control on a tiny parent window that records what the list tells it.
// Geometry with the default metrics: font 16 px, header 24 px, rows 20 px, 7 px per byte.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/CImageList.h"
#include "platform/afx/CWnd.h"
#include "platform/afx/RecordingDC.h"
#include "platform/afx/Services.h"
#include "platform/listview/CommonControls.h"
#include "platform/listview/KeyState.h"

namespace listview_test {

constexpr int kHeaderHeight = 24;
constexpr int kRowHeight = 20;

struct Note {
  int code = 0;
  HWND from = nullptr;
  int item = -1;
  int subItem = 0;
  UINT newState = 0;
  UINT oldState = 0;
  LPARAM lParam = 0;
  POINT point;
  DWORD stage = 0;  // NM_CUSTOMDRAW
};

// Records notifications, owner-draw requests and context-menu requests.
class RecordingParent : public CWnd {
 public:
  std::vector<Note> notes;
  std::vector<DRAWITEMSTRUCT> drawn;
  std::vector<std::pair<HWND, POINT>> contextMenus;
  // Answers to notifications; default 0. Called after the note is recorded.
  std::function<LRESULT(NMHDR*)> answer;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) return OnNotifyMessage(reinterpret_cast<NMHDR*>(lParam));
    if (message == WM_DRAWITEM) {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      // A list with a window object of its own gets its draw requests back (reflection).
      if (dis->hwndItem != nullptr && dis->hwndItem->wnd != nullptr)
        return CWnd::WindowProc(message, wParam, lParam);
      drawn.push_back(*dis);
      return TRUE;
    }
    if (message == WM_CONTEXTMENU) {
      contextMenus.push_back(
          {reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }

  std::vector<Note> Of(int code) const {
    std::vector<Note> out;
    for (const Note& n : notes)
      if (n.code == code) out.push_back(n);
    return out;
  }
  size_t Count(int code) const { return Of(code).size(); }

 private:
  LRESULT OnNotifyMessage(NMHDR* hdr) {
    Note note;
    note.code = hdr->code;
    note.from = hdr->hwndFrom;
    switch (hdr->code) {
      case LVN_ITEMCHANGED:
      case LVN_INSERTITEM:
      case LVN_DELETEITEM:
      case LVN_DELETEALLITEMS:
      case LVN_COLUMNCLICK: {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
        note.item = nm->iItem;
        note.subItem = nm->iSubItem;
        note.newState = nm->uNewState;
        note.oldState = nm->uOldState;
        note.lParam = nm->lParam;
        break;
      }
      case NM_CLICK:
      case NM_DBLCLK:
      case NM_RCLICK: {
        auto* nm = reinterpret_cast<NMITEMACTIVATE*>(hdr);
        note.item = nm->iItem;
        note.subItem = nm->iSubItem;
        note.point = nm->ptAction;
        break;
      }
      case NM_CUSTOMDRAW: {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        note.stage = cd->nmcd.dwDrawStage;
        note.item = static_cast<int>(cd->nmcd.dwItemSpec);
        note.subItem = cd->iSubItem;
        note.lParam = cd->nmcd.lItemlParam;
        break;
      }
      case LVN_GETDISPINFOA: {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(hdr);
        note.item = info->item.iItem;
        note.subItem = info->item.iSubItem;
        note.lParam = info->item.lParam;
        break;
      }
      default:
        if (hdr->code <= HDN_ITEMCHANGINGA && hdr->code >= HDN_ENDDRAG) {
          auto* nm = reinterpret_cast<NMHEADERA*>(hdr);
          note.item = nm->iItem;
        }
        break;
    }
    notes.push_back(note);
    return answer ? answer(hdr) : 0;
  }
};

// A report-mode list (400 x 300) on a recording parent, with the default metrics.
class ListViewTest : public ::testing::Test {
 public:
  void SetUp() override {
    m_savedDesktop = AfxServices().desktop;
    AfxServices().desktop = nullptr;
    KeyState::Reset();
    RegisterCommonControls();
    ASSERT_TRUE(parent.Create("Generic", "", WS_POPUP, RECT{0, 0, 800, 600}, nullptr, 0));
    list = MakeList(WS_CHILD | WS_VISIBLE | LVS_REPORT);
  }
  void TearDown() override {
    ::SetFocus(nullptr);
    ResetWindowSystem();
    KeyState::Reset();
    AfxServices().desktop = m_savedDesktop;
  }

  HWND MakeList(DWORD style, int cx = 400, int cy = 300) {
    return ::CreateWindowExA(0, "SysListView32", "", style, 0, 0, cx, cy, parent.m_hWnd, 7);
  }
  HWND Header() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessage(list, message, wParam, lParam);
  }
  template <typename T>
  LRESULT Send(UINT message, WPARAM wParam, T* pointer) const {
    return ::SendMessage(list, message, wParam, reinterpret_cast<LPARAM>(pointer));
  }
  LRESULT SendHeader(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessage(Header(), message, wParam, lParam);
  }

  int AddColumn(int index, const char* title, int width, int fmt = LVCFMT_LEFT) {
    LVCOLUMNA c;
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.pszText = const_cast<char*>(title);
    c.cx = width;
    c.fmt = fmt;
    return static_cast<int>(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), &c));
  }
  int AddItem(int index, const char* text, LPARAM data = 0) {
    LVITEMA it;
    it.mask = LVIF_TEXT | LVIF_PARAM;
    it.iItem = index;
    it.pszText = const_cast<char*>(text);
    it.lParam = data;
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, &it));
  }
  void SetText(int item, int column, const char* text) {
    LVITEMA it;
    it.iSubItem = column;
    it.pszText = const_cast<char*>(text);
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), &it);
  }
  std::string Text(int item, int column) const {
    char buffer[260] = {};
    LVITEMA it;
    it.iSubItem = column;
    it.pszText = buffer;
    it.cchTextMax = sizeof buffer;
    Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), &it);
    return buffer;
  }
  UINT State(int item, UINT mask = ~0u) const {
    return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
  }
  void SetState(int item, UINT state, UINT mask) {
    LVITEMA it;
    it.state = state;
    it.stateMask = mask;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), &it);
  }
  int ColumnWidth(int column) const {
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
  }
  std::vector<int> Order() const {
    std::vector<int> order(static_cast<size_t>(SendHeader(HDM_GETITEMCOUNT)));
    Send(LVM_GETCOLUMNORDERARRAY, order.size(), order.data());
    return order;
  }
  RECT ItemRect(int item, int code) const {
    RECT r;
    r.left = code;
    Send(LVM_GETITEMRECT, static_cast<WPARAM>(item), &r);
    return r;
  }
  // Mouse messages in client coordinates of a window.
  static void Mouse(HWND hwnd, UINT message, int x, int y, UINT keys = 0) {
    ::SendMessage(hwnd, message, keys, MAKELPARAM(x, y));
  }
  void Click(HWND hwnd, int x, int y, UINT keys = 0) {
    Mouse(hwnd, WM_LBUTTONDOWN, x, y, keys | MK_LBUTTON);
    Mouse(hwnd, WM_LBUTTONUP, x, y, keys);
  }
  // A list with three columns (100, 80, 60 px) and n items "r<i>" / "r<i>.1" / "r<i>.2"
  // whose data is 1000 + i.
  void Fill(int n) {
    AddColumn(0, "Name", 100);
    AddColumn(1, "Address", 80);
    AddColumn(2, "Mask", 60);
    for (int i = 0; i < n; ++i) {
      std::string name = "r" + std::to_string(i);
      AddItem(i, name.c_str(), 1000 + i);
      SetText(i, 1, (name + ".1").c_str());
      SetText(i, 2, (name + ".2").c_str());
    }
  }
  void Paint(RecordingDC& dc) {
    Send(WM_PAINT, reinterpret_cast<WPARAM>(static_cast<CDC*>(&dc)), 0);
  }

  RecordingParent parent;
  HWND list = nullptr;

 private:
  DesktopService* m_savedDesktop = nullptr;
};

}  // namespace listview_test
