#include "ListViewControl.h"

#include <algorithm>
#include <cmath>

#include "CheckBoxImages.h"
#include "platform/afx/Services.h"

namespace {

POINT PointOf(LPARAM lParam) {
  return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

ListViewControl::ListViewControl(HWND hwnd)
    : m_notifier(m_state),
      m_layout(m_state),
      m_items(m_state, m_layout, m_notifier),
      m_columns(m_state, m_layout, m_notifier),
      m_painter(m_state, m_layout, m_notifier),
      m_input(m_state, m_layout, m_items, m_notifier) {
  m_state.hwnd = hwnd;
  m_view = m_state.View();
  RefreshColors();
  RefreshMetrics();
  // Made here rather than on WM_CREATE: a subclassing view may answer WM_CREATE itself.
  RECT client = m_layout.Client();
  m_state.header = ::CreateWindowExA(0, "SysHeader32", "", WS_CHILD | HDS_BUTTONS | HDS_FULLDRAG, 0,
                                     0, client.right, m_layout.HeaderHeight(), hwnd, 0);
  m_layout.Sync();
}

void ListViewControl::RefreshMetrics() {
  TEXTMETRIC tm = FontMetrics(m_state.hwnd->font);
  m_state.fontHeight = tm.tmHeight > 0 ? tm.tmHeight : 16;
}

void ListViewControl::RefreshColors() {
  if (m_defaultBk) m_state.bkColor = GetSysColor(COLOR_WINDOW);
  if (m_defaultText) m_state.textColor = GetSysColor(COLOR_WINDOWTEXT);
}

LRESULT ListViewControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= LVM_FIRST && message < LVM_FIRST + 0x100)
    return ListMessage(message, wParam, lParam);
  return WindowMessage(message, wParam, lParam);
}

LRESULT ListViewControl::ListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
  switch (message) {
    case LVM_GETBKCOLOR:
      return m_state.bkColor;
    case LVM_SETBKCOLOR:
      m_state.bkColor = static_cast<COLORREF>(lParam);
      m_defaultBk = false;
      m_layout.InvalidateAll();
      return TRUE;
    case LVM_GETTEXTCOLOR:
      return m_state.textColor;
    case LVM_SETTEXTCOLOR:
      m_state.textColor = static_cast<COLORREF>(lParam);
      m_defaultText = false;
      m_layout.InvalidateItems();
      return TRUE;
    case LVM_GETTEXTBKCOLOR:
      return m_state.textBkColor;
    case LVM_SETTEXTBKCOLOR:
      m_state.textBkColor = static_cast<COLORREF>(lParam);
      m_layout.InvalidateItems();
      return TRUE;
    case LVM_GETIMAGELIST:
      return index >= 0 && index <= LVSIL_STATE ? reinterpret_cast<LRESULT>(m_state.images[index])
                                                : 0;
    case LVM_SETIMAGELIST:
      return SetImageList(index, reinterpret_cast<HIMAGELIST>(lParam));
    case LVM_GETITEMCOUNT:
      return m_state.items.Count();
    case LVM_GETITEMA:
      return m_items.Get(reinterpret_cast<LVITEMA*>(lParam));
    case LVM_SETITEMA:
      return m_items.Set(reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_INSERTITEMA:
      return m_items.Insert(reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_DELETEITEM:
      return m_items.Delete(index);
    case LVM_DELETEALLITEMS:
      return m_items.DeleteAll();
    case LVM_GETNEXTITEM:
      return m_items.Next(index, static_cast<UINT>(lParam));
    case LVM_FINDITEMA:
      return m_items.Find(index, reinterpret_cast<const LVFINDINFOA*>(lParam));
    case LVM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect != nullptr && m_layout.ItemRect(index, rect->left, rect) ? TRUE : FALSE;
    }
    case LVM_GETSUBITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect != nullptr && m_layout.SubItemRect(index, rect->top, rect->left, rect) ? TRUE
                                                                                         : FALSE;
    }
    case LVM_GETSTRINGWIDTHA:
      return m_columns.StringWidth(reinterpret_cast<LPCSTR>(lParam));
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
      auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
      if (info == nullptr) return -1;
      int subItem = info->iSubItem;
      LRESULT item = m_layout.HitTest(*info);
      if (message == LVM_HITTEST) info->iSubItem = subItem;
      return item;
    }
    case LVM_ENSUREVISIBLE:
      if (!m_state.items.Has(index)) return FALSE;
      m_layout.EnsureVisible(index, lParam != 0);
      return TRUE;
    case LVM_SCROLL: {
      // Vertical scrolling goes by whole lines, the nearest to the pixels asked.
      double lines = static_cast<double>(lParam) / m_layout.LineHeight();
      m_layout.ScrollTo(m_layout.TopLine() + static_cast<int>(std::lround(lines)),
                        m_layout.ScrollX() + index);
      return TRUE;
    }
    case LVM_REDRAWITEMS: {
      int last = std::min(static_cast<int>(lParam), m_state.items.Count() - 1);
      for (int i = std::max(0, index); i <= last; ++i) m_layout.InvalidateItem(i);
      return TRUE;
    }
    case LVM_GETCOLUMNA:
      return m_columns.Get(index, reinterpret_cast<LVCOLUMNA*>(lParam));
    case LVM_SETCOLUMNA:
      return m_columns.Set(index, reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_INSERTCOLUMNA:
      return m_columns.Insert(index, reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_DELETECOLUMN:
      return m_columns.Delete(index);
    case LVM_GETCOLUMNWIDTH:
      return m_columns.GetWidth(index);
    case LVM_SETCOLUMNWIDTH:
      // The width is a 16-bit signed value: 0xFFFF is LVSCW_AUTOSIZE.
      return m_columns.SetWidth(index,
                                static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    case LVM_GETCOLUMNORDERARRAY:
      return m_columns.GetOrder(index, reinterpret_cast<int*>(lParam));
    case LVM_SETCOLUMNORDERARRAY:
      return m_columns.SetOrder(index, reinterpret_cast<const int*>(lParam));
    case LVM_GETHEADER:
      return reinterpret_cast<LRESULT>(m_state.header);
    case LVM_GETVIEWRECT:
      return ViewRect(reinterpret_cast<RECT*>(lParam));
    case LVM_GETTOPINDEX:
      return m_layout.TopIndex();
    case LVM_GETCOUNTPERPAGE:
      return m_layout.CountPerPage();
    case LVM_GETORIGIN: {
      auto* origin = reinterpret_cast<POINT*>(lParam);
      if (origin == nullptr) return FALSE;
      *origin = POINT{};
      // Report mode has no origin, as on the platform.
      if (m_state.IsReport()) return FALSE;
      origin->y = m_layout.TopLine() * m_layout.LineHeight();
      return TRUE;
    }
    case LVM_SETITEMSTATE:
      return m_items.SetStateMessage(index, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_GETITEMSTATE:
      return m_state.items.Has(index) ? m_state.items.Row(index).state & static_cast<UINT>(lParam)
                                      : 0;
    case LVM_GETITEMTEXTA:
      return m_items.GetText(index, reinterpret_cast<LVITEMA*>(lParam));
    case LVM_SETITEMTEXTA:
      return m_items.SetText(index, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_SETITEMCOUNT:
      return m_items.SetCount(index);
    case LVM_SORTITEMS:
      return m_items.Sort(static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    case LVM_GETSELECTEDCOUNT:
      return m_items.SelectedCount();
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      return SetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return m_state.exStyle;
    case LVM_SETHOTITEM: {
      int old = m_state.hotItem;
      m_items.SetHotItem(m_state.items.Has(index) ? index : -1);
      return old;
    }
    case LVM_GETHOTITEM:
      return m_state.hotItem;
    default:
      return 0;
  }
}

LRESULT ListViewControl::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_DESTROY:
      // Children are gone already; the items go without notifications.
      m_state.header = nullptr;
      m_state.items.Clear();
      return 0;
    case WM_PAINT:
      m_painter.Paint(reinterpret_cast<CDC*>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return m_painter.Erase(reinterpret_cast<CDC*>(wParam));
    case WM_SIZE:
      m_layout.Sync();
      return 0;
    case WM_STYLECHANGED:
      if (m_state.View() != m_view) {
        m_view = m_state.View();
        ::SetScrollPos(m_state.hwnd, SB_VERT, 0);
        ::SetScrollPos(m_state.hwnd, SB_HORZ, 0);
      }
      m_layout.Sync();
      m_layout.InvalidateAll();
      return 0;
    case WM_SETFONT:
      m_state.hwnd->font = reinterpret_cast<HFONT>(wParam);
      if (IsWindow(m_state.header)) ::SendMessage(m_state.header, WM_SETFONT, wParam, lParam);
      RefreshMetrics();
      m_layout.Sync();
      if (lParam != 0) m_layout.InvalidateAll();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_state.hwnd->font);
    case WM_SYSCOLORCHANGE:
      RefreshColors();
      RefreshMetrics();
      m_layout.Sync();
      m_layout.InvalidateAll();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      m_input.FocusChanged(message == WM_SETFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      m_input.LButtonDown(static_cast<UINT>(wParam), PointOf(lParam), message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_LBUTTONUP:
      m_input.LButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      m_input.RButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_RBUTTONUP:
      m_input.RButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_MOUSEMOVE:
      m_input.MouseMove(PointOf(lParam));
      return 0;
    case WM_KEYDOWN:
      m_input.KeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      // The thumb position is the high word, unsigned: 0 to 65535.
      m_input.Scroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      m_input.Wheel(static_cast<short>(HIWORD(wParam)));
      return 0;
    case WM_NOTIFY:
      return OnHeaderNotify(reinterpret_cast<const NMHEADERA*>(lParam));
    case WM_CONTEXTMENU: {
      // Not taken here: the parent may show a menu, as for any child window.
      HWND parent = ::GetParent(m_state.hwnd);
      return parent != nullptr ? ::SendMessage(parent, WM_CONTEXTMENU, wParam, lParam) : 0;
    }
    default:
      return 0;
  }
}

LRESULT ListViewControl::OnHeaderNotify(const NMHEADERA* nm) {
  if (nm == nullptr || nm->hdr.hwndFrom == nullptr || nm->hdr.hwndFrom != m_state.header) return 0;
  switch (nm->hdr.code) {
    case HDN_ITEMCLICKA:
      m_notifier.ListView(LVN_COLUMNCLICK, -1, nm->iItem);
      return 0;
    case HDN_DIVIDERDBLCLICKA:
      m_columns.SetWidth(nm->iItem, LVSCW_AUTOSIZE);
      return 0;
    case HDN_ITEMCHANGEDA:
    case HDN_TRACKA:
    case HDN_ENDTRACKA:
      m_layout.Sync();
      m_layout.InvalidateItems();
      return 0;
    case HDN_ENDDRAG:
      // The header moves the item once this returns; the repaint comes after it.
      m_layout.InvalidateItems();
      return 0;
    case HDN_BEGINDRAG:
      return (m_state.exStyle & LVS_EX_HEADERDRAGDROP) ? 0 : 1;
    default:
      return 0;
  }
}

LRESULT ListViewControl::SetImageList(int which, HIMAGELIST list) {
  if (which < LVSIL_NORMAL || which > LVSIL_STATE) return 0;
  HIMAGELIST old = m_state.images[which];
  m_state.images[which] = list;
  m_layout.Sync();
  m_layout.InvalidateAll();
  return reinterpret_cast<LRESULT>(old);
}

LRESULT ListViewControl::SetExtendedStyle(DWORD mask, DWORD style) {
  if (mask == 0) mask = ~0u;
  DWORD old = m_state.exStyle;
  m_state.exStyle = (old & ~mask) | (style & mask);
  if ((m_state.exStyle & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES)) {
    if (m_state.StateImages() == nullptr) {
      if (!m_state.checkBoxes) m_state.checkBoxes = CreateCheckBoxImages();
      m_state.images[LVSIL_STATE] = m_state.checkBoxes.get();
    }
    m_items.ApplyCheckBoxes();
  }
  if ((m_state.exStyle &
       (LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_TRACKSELECT)) == 0)
    m_items.SetHotItem(-1);
  m_layout.Sync();
  if (m_state.exStyle != old) m_layout.InvalidateAll();
  return old;
}

LRESULT ListViewControl::ViewRect(RECT* rect) const {
  if (rect == nullptr) return FALSE;
  *rect = RECT{};
  int count = m_state.items.Count();
  if (count == 0) return TRUE;
  RECT first = m_layout.Parts(0).bounds;
  RECT last = m_layout.Parts(count - 1).bounds;
  if (m_state.IsReport()) {
    *rect = RECT{first.left, first.top, first.right, last.bottom};
  } else {
    int width = (first.right - first.left) * std::min(count, m_layout.ItemsPerLine());
    *rect = RECT{first.left, first.top, first.left + width, last.bottom};
  }
  return TRUE;
}
