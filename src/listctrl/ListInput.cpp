// CListBase user input: the column show/hide menu, header notifications, keyboard column
// sizing, check boxes and hot tracking of owner-drawn lists, hit test, the kept extended style
// and the focused state of the first selected item.
#include <algorithm>

#include "listctrl/CListBase.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/Services.h"

namespace {

constexpr DWORD kHotTrackingBits =
    LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT;
// Menu entries carry the column number above this base, so that column 0 is not mistaken for
// "nothing chosen"; the command sent to the list is the column number itself.
constexpr UINT kColumnMenuBase = 0x8000;

LPARAM PointParam(POINT p) {
  return MAKELPARAM(p.x, p.y);
}

}  // namespace

bool CListBase::IsHeader(HWND hwnd) const {
  return hwnd != nullptr && hwnd == HeaderHwnd();
}

void CListBase::OnContextMenu(HWND window, POINT) {
  if (!IsHeader(window) || m_nHideableCount == 0) return;
  DesktopService* desktop = AfxServices().desktop;
  if (desktop == nullptr) return;
  auto* popup = new MenuObject;
  for (int c = ColumnCount() - 1; c >= 0; --c) {
    const COLUMN_DATA& data = Column(c);
    MenuItem item;
    const LVCOLUMNA& saved = data.m_pSavedColumn->desc;
    item.text = (saved.mask & LVCF_TEXT) != 0 && saved.pszText != nullptr ? saved.pszText : "";
    item.id = kColumnMenuBase + static_cast<UINT>(c);
    item.flags = (data.m_bVisible ? MF_CHECKED : MF_UNCHECKED) | (data.m_bCanHide ? 0 : MF_GRAYED);
    popup->items.insert(popup->items.begin(), std::move(item));
  }
  CMenu menu;
  menu.Attach(popup);
  POINT cursor;
  ::GetCursorPos(&cursor);
  const UINT chosen = desktop->TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                              cursor, m_pListWnd);
  menu.DestroyMenu();
  if (chosen >= kColumnMenuBase && chosen < kColumnMenuBase + static_cast<UINT>(ColumnCount()))
    SendToList(WM_COMMAND, chosen - kColumnMenuBase, 0);
}

bool CListBase::OnCommand(WPARAM wParam, LPARAM) {
  // The whole argument, notification code included, must name a column.
  if (wParam >= static_cast<WPARAM>(ColumnCount())) return false;
  const int c = static_cast<int>(wParam);
  SetColumnVisible(c, !Column(c).m_bVisible);
  return true;
}

bool CListBase::OnHeaderNotify(NMHDR* nmhdr, LRESULT* defaultResult) {
  if (nmhdr == nullptr) return false;
  const LRESULT r = Default(WM_NOTIFY, nmhdr->idFrom, reinterpret_cast<LPARAM>(nmhdr));
  if (defaultResult != nullptr) *defaultResult = r;
  const bool flag = r != 0;
  if (!IsHeader(nmhdr->hwndFrom)) return flag;
  auto* header = reinterpret_cast<NMHEADERA*>(nmhdr);
  switch (nmhdr->code) {
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
      if (m_bTintSortColumn) RepaintOutsideItems();
      return flag;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW: {
      const int i = header->iItem;
      const int c = ColumnFromControlIndex(i);
      if (m_bLabelInLeadColumn &&
          ((c > 0 && HeaderOrderOf(i) == 0) || (i == 0 && HeaderOrderOf(0) > 0))) {
        AutoSizeLeadColumn(i, c, c > 0);
        return true;
      }
      return flag;
    }
    case HDN_ENDDRAG: {
      if (header->pitem == nullptr || header->pitem->iOrder < 0) return flag;
      const int c = ColumnFromControlIndex(header->iItem);
      const int p = LogicalOrderFromControl(header->pitem->iOrder);
      if (c >= 0 && p >= 0) MoveLogicalOrder(c, p);
      return flag;
    }
    case HDN_ITEMCLICKA:
      return true;
    default:
      return flag;
  }
}

void CListBase::AutoSizeLeadColumn(int headerItem, int column, bool withLabelMargin) {
  int width = 0;
  if (column >= 0) {
    for (int i = ItemCount() - 1; i >= 0; --i) {
      char buf[260] = {};
      LVITEMA it;
      it.iSubItem = column;
      it.pszText = buf;
      it.cchTextMax = static_cast<int>(sizeof buf);
      SendToList(LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
      buf[sizeof buf - 1] = '\0';
      width = std::max(width, static_cast<int>(SendToList(LVM_GETSTRINGWIDTHA, 0,
                                                          reinterpret_cast<LPARAM>(buf))));
    }
  }
  if (withLabelMargin) {
    RECT cell, label;
    if (ItemCount() > 0 && CellBounds(0, headerItem, 0, &cell) &&
        CellBounds(0, headerItem, 2, &label))
      width += label.left - cell.left;
    width += 2;
  } else {
    width += 6;
  }
  width += 6;
  Direct(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(headerItem), MAKELPARAM(width, 0));
}

void CListBase::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  const bool leadCondition = m_bLabelInLeadColumn && HeaderOrderOf(0) > 0;
  if (key == VK_CONTROL && leadCondition) {
    m_bCtrlDown = true;
    return;
  }
  if (key == VK_ADD && m_bCtrlDown && leadCondition) {
    for (int p = 0;; ++p) {
      const int i = HeaderIndexAt(p);
      LVCOLUMNA probe;
      probe.mask = LVCF_FMT;
      if (i < 0 ||
          Direct(LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&probe)) == 0)
        break;
      if (i != 0 && p != 0)
        Direct(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(LVSCW_AUTOSIZE, 0));
      else
        AutoSizeLeadColumn(i, ColumnFromControlIndex(i), i > 0);
    }
    return;
  }
  (void)repeat;
  Default(WM_KEYDOWN, key, flags);
}

void CListBase::OnKeyUp(UINT key, UINT, UINT flags) {
  if (key == VK_CONTROL) m_bCtrlDown = false;
  Default(WM_KEYUP, key, flags);
}

bool CListBase::ToggleCheckBoxAt(POINT point) {
  LVHITTESTINFO hit;
  hit.pt = point;
  SendToList(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem < 0 || hit.flags != LVHT_ONITEMSTATEICON || (m_dwExStyle & LVS_EX_CHECKBOXES) == 0)
    return false;
  // State image 2 is checked, 1 unchecked.
  const UINT state = static_cast<UINT>(
      Direct(LVM_GETITEMSTATE, static_cast<WPARAM>(hit.iItem), LVIS_STATEIMAGEMASK));
  LVITEMA it;
  it.stateMask = LVIS_STATEIMAGEMASK;
  it.state = INDEXTOSTATEIMAGEMASK((state >> 12) == 2 ? 1 : 2);
  Direct(LVM_SETITEMSTATE, static_cast<WPARAM>(hit.iItem), reinterpret_cast<LPARAM>(&it));
  return true;
}

void CListBase::OnLButtonDown(UINT flags, POINT point) {
  bool passOn = true;
  if (IsOwnerDrawn()) {
    if (m_hCursorNow != nullptr && AfxServices().desktop != nullptr)
      AfxServices().desktop->SetCursor(m_hCursorNow);
    if (ToggleCheckBoxAt(point)) passOn = false;
  }
  if (passOn) Default(WM_LBUTTONDOWN, flags, PointParam(point));
  UpdateHotItem(point);
}

void CListBase::OnLButtonDblClk(UINT flags, POINT point) {
  if (IsOwnerDrawn()) {
    if (ToggleCheckBoxAt(point)) return;
  }
  Default(WM_LBUTTONDBLCLK, flags, PointParam(point));
}

void CListBase::OnLButtonUp(UINT flags, POINT point) {
  if (IsOwnerDrawn() && m_hCursorNow != nullptr && AfxServices().desktop != nullptr)
    AfxServices().desktop->SetCursor(m_hCursorNow);
  Default(WM_LBUTTONUP, flags, PointParam(point));
}

void CListBase::OnMouseMove(UINT flags, POINT point) {
  Default(WM_MOUSEMOVE, flags, PointParam(point));
  UpdateHotItem(point);
}

void CListBase::UpdateHotItem(POINT point) {
  if ((m_dwExStyle & kHotTrackingBits) == 0) return;
  LVHITTESTINFO hit;
  hit.pt = point;
  SendToList(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  int hot = -1;
  if (hit.iItem >= 0 && (hit.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) != 0) {
    const bool selected = (Direct(LVM_GETITEMSTATE, static_cast<WPARAM>(hit.iItem), LVIS_SELECTED) &
                           LVIS_SELECTED) != 0;
    if ((m_dwExStyle & LVS_EX_ONECLICKACTIVATE) != 0 ||
        ((m_dwExStyle & LVS_EX_TWOCLICKACTIVATE) != 0 && selected))
      hot = hit.iItem;
  }
  const int old = m_nHotRow;
  m_nHotRow = hot;
  if (!IsOwnerDrawn()) return;
  m_hCursorNow = hot < 0 ? m_hCursorArrow : m_hCursorHand;
  if (hot != old) {
    for (int row : {old, hot}) {
      if (row < 0) continue;
      RECT r;
      r.left = LVIR_BOUNDS;
      if (Direct(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) != 0)
        ::InvalidateRect(ListHwnd(), &r, FALSE);
    }
  }
  if (m_hCursorNow != nullptr && AfxServices().desktop != nullptr)
    AfxServices().desktop->SetCursor(m_hCursorNow);
}

void CListBase::LoadHotCursors() {
  DesktopService* desktop = AfxServices().desktop;
  if (desktop == nullptr) return;
  if (m_hCursorArrow == nullptr) m_hCursorArrow = desktop->LoadSystemCursor(IDC_ARROW);
  if (m_hCursorHand == nullptr) m_hCursorHand = desktop->LoadSystemCursor(IDC_HAND);
}

LRESULT CListBase::OnHitTest(WPARAM wParam, LPARAM lParam) {
  const LRESULT r = Default(LVM_HITTEST, wParam, lParam);
  auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
  if (r == -1 || info == nullptr) return -1;
  if (!IsOwnerDrawn() || info->iItem < 0 || info->flags != LVHT_ONITEM) return info->iItem;
  const POINT pt = info->pt;
  RECT rect;
  if (CellBounds(info->iItem, 0, 2, &rect) && PtInRect(rect, pt)) {
    info->flags = LVHT_ONITEMLABEL;
  } else if (CellBounds(info->iItem, 0, 1, &rect) && PtInRect(rect, pt)) {
    info->flags = LVHT_ONITEMICON;
  } else if (StateImageBounds(info->iItem, &rect) && PtInRect(rect, pt)) {
    info->flags = LVHT_ONITEMSTATEICON;
  } else {
    RECT bounds;
    bounds.left = LVIR_BOUNDS;
    if (Direct(LVM_GETITEMRECT, static_cast<WPARAM>(info->iItem),
               reinterpret_cast<LPARAM>(&bounds)) != 0) {
      const int g = m_nStateGap;
      if (!PtInRect(bounds, pt))
        info->flags = LVHT_NOWHERE;
      else if (pt.x < g + std::min(bounds.left, 0) && bounds.left > -g)
        info->flags = LVHT_NOWHERE;
    }
  }
  return info->iItem;
}

LRESULT CListBase::OnSetExtendedStyle(WPARAM wParam, LPARAM lParam) {
  const DWORD old = m_dwExStyle;
  const DWORD mask = wParam == 0 ? 0xFFFFFFFFu : static_cast<DWORD>(wParam);
  const DWORD style = static_cast<DWORD>(lParam);
  m_dwExStyle = (old & ~mask) | (style & mask);
  if (IsOwnerDrawn()) {
    if ((mask & kHotTrackingBits) != 0) {
      if ((style & mask & kHotTrackingBits) != 0) LoadHotCursors();
      Direct(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(m_dwExStyle & ~kHotTrackingBits));
      return static_cast<LRESULT>(old);
    }
    m_hCursorNow = nullptr;
  }
  return Default(LVM_SETEXTENDEDLISTVIEWSTYLE, wParam, lParam);
}

LRESULT CListBase::OnGetExtendedStyle(WPARAM, LPARAM) {
  return static_cast<LRESULT>(m_dwExStyle);
}

void CListBase::OnSetFocus(HWND other) {
  Default(WM_SETFOCUS, reinterpret_cast<WPARAM>(other), 0);
  const int first =
      static_cast<int>(Direct(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (first < 0) return;
  LVITEMA it;
  it.stateMask = LVIS_FOCUSED;
  it.state = LVIS_FOCUSED;
  Direct(LVM_SETITEMSTATE, static_cast<WPARAM>(first), reinterpret_cast<LPARAM>(&it));
}

void CListBase::OnKillFocus(HWND other) {
  Default(WM_KILLFOCUS, reinterpret_cast<WPARAM>(other), 0);
  const int first =
      static_cast<int>(Direct(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (first < 0) return;
  LVITEMA it;
  it.stateMask = LVIS_FOCUSED;
  it.state = 0;
  Direct(LVM_SETITEMSTATE, static_cast<WPARAM>(first), reinterpret_cast<LPARAM>(&it));
}
