#include "ListInput.h"

#include <algorithm>

#include "KeyState.h"

namespace {

constexpr int kHorizontalLine = 16;
constexpr int kWheelLines = 3;
constexpr UINT kHotTracking =
    LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_TRACKSELECT;

}  // namespace

UINT ListInput::KeyFlags(UINT keys) {
  UINT flags = 0;
  if (keys & MK_CONTROL) flags |= LVKF_CONTROL;
  if (keys & MK_SHIFT) flags |= LVKF_SHIFT;
  return flags;
}

int ListInput::Hit(POINT pt, LVHITTESTINFO* info) const {
  info->pt = pt;
  return m_layout.HitTest(*info);
}

void ListInput::ClickSelect(int item, bool ctrl, bool shift) {
  bool single = (m_state.Style() & LVS_SINGLESEL) != 0;
  if (single || (!ctrl && !shift)) {
    m_items.SelectOnly(item);
    m_items.SetState(item, LVIS_FOCUSED, LVIS_FOCUSED);
    m_items.SetAnchor(item);
  } else if (shift) {
    int anchor = m_items.AnchorItem();
    if (anchor < 0) {
      anchor = item;
      m_items.SetAnchor(item);
    }
    m_items.SelectRange(anchor, item, ctrl);
    m_items.SetState(item, LVIS_FOCUSED, LVIS_FOCUSED);
  } else {
    bool selected = m_state.items.Has(item) && (m_state.items.Row(item).state & LVIS_SELECTED);
    m_items.SetState(item, selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
    m_items.SetState(item, LVIS_FOCUSED, LVIS_FOCUSED);
    m_items.SetAnchor(item);
  }
}

void ListInput::LButtonDown(UINT keys, POINT pt, bool doubleClick) {
  if (!m_state.HasFocus()) ::SetFocus(m_state.hwnd);
  LVHITTESTINFO info;
  int item = Hit(pt, &info);
  m_leftPressed = !doubleClick;
  if (item >= 0 && info.flags == LVHT_ONITEMSTATEICON && (m_state.exStyle & LVS_EX_CHECKBOXES)) {
    m_items.ToggleCheck(item);
  } else if (item >= 0) {
    ClickSelect(item, (keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0);
  } else if ((keys & (MK_CONTROL | MK_SHIFT)) == 0) {
    m_items.DeselectAll();
  }
  if (doubleClick) m_notifier.Activate(NM_DBLCLK, item, info.iSubItem, pt, KeyFlags(keys));
}

void ListInput::LButtonUp(UINT keys, POINT pt) {
  if (!m_leftPressed) return;
  m_leftPressed = false;
  LVHITTESTINFO info;
  int item = Hit(pt, &info);
  m_notifier.Activate(NM_CLICK, item, info.iSubItem, pt, KeyFlags(keys));
}

void ListInput::RButtonDown(UINT keys, POINT pt) {
  if (!m_state.HasFocus()) ::SetFocus(m_state.hwnd);
  LVHITTESTINFO info;
  int item = Hit(pt, &info);
  m_rightPressed = true;
  if (item >= 0) {
    bool selected = m_state.items.Row(item).state & LVIS_SELECTED;
    if (!selected && (keys & MK_CONTROL) == 0) m_items.SelectOnly(item);
    m_items.SetState(item, LVIS_FOCUSED, LVIS_FOCUSED);
  } else if ((keys & (MK_CONTROL | MK_SHIFT)) == 0) {
    m_items.DeselectAll();
  }
}

void ListInput::RButtonUp(UINT keys, POINT pt) {
  if (!m_rightPressed) return;
  m_rightPressed = false;
  LVHITTESTINFO info;
  int item = Hit(pt, &info);
  m_notifier.Activate(NM_RCLICK, item, info.iSubItem, pt, KeyFlags(keys));
}

void ListInput::MouseMove(POINT pt) {
  if ((m_state.exStyle & kHotTracking) == 0) return;
  LVHITTESTINFO info;
  int item = Hit(pt, &info);
  m_items.SetHotItem((info.flags & LVHT_ONITEM) ? item : -1);
}

void ListInput::MoveFocus(int target, bool ctrl, bool shift) {
  int count = m_state.items.Count();
  if (count == 0) return;
  target = std::clamp(target, 0, count - 1);
  bool single = (m_state.Style() & LVS_SINGLESEL) != 0;
  if (shift && !single) {
    int anchor = m_items.AnchorItem();
    if (anchor < 0) {
      int focused = m_items.FocusedItem();
      anchor = focused >= 0 ? focused : target;
      m_items.SetAnchor(anchor);
    }
    m_items.SelectRange(anchor, target, ctrl);
    m_items.SetState(target, LVIS_FOCUSED, LVIS_FOCUSED);
  } else if (ctrl && !single) {
    m_items.SetState(target, LVIS_FOCUSED, LVIS_FOCUSED);
  } else {
    m_items.SelectOnly(target);
    m_items.SetState(target, LVIS_FOCUSED, LVIS_FOCUSED);
    m_items.SetAnchor(target);
  }
  m_layout.EnsureVisible(target, false);
}

void ListInput::KeyDown(UINT key) {
  bool ctrl = KeyState::IsDown(VK_CONTROL);
  bool shift = KeyState::IsDown(VK_SHIFT);
  bool report = m_state.IsReport();
  int count = m_state.items.Count();
  int focused = m_items.FocusedItem();
  int page = std::max(1, m_layout.CountPerPage());
  int perLine = m_layout.ItemsPerLine();
  switch (key) {
    case 'A':
      if (ctrl && (m_state.Style() & LVS_SINGLESEL) == 0) {
        LVITEMA all;
        all.state = all.stateMask = LVIS_SELECTED;
        m_items.SetStateMessage(-1, &all);
      }
      return;
    case VK_SPACE:
      if (focused < 0) return;
      if (m_state.exStyle & LVS_EX_CHECKBOXES)
        m_items.ToggleCheck(focused);
      else if (ctrl)
        m_items.SetState(focused,
                         (m_state.items.Row(focused).state & LVIS_SELECTED) ? 0 : LVIS_SELECTED,
                         LVIS_SELECTED);
      else
        m_items.SelectOnly(focused);
      return;
    case VK_UP:
      MoveFocus(focused < 0 ? 0 : focused - perLine, ctrl, shift);
      return;
    case VK_DOWN:
      MoveFocus(focused < 0 ? 0 : focused + perLine, ctrl, shift);
      return;
    case VK_LEFT:
    case VK_RIGHT:
      if (report) {
        int step = key == VK_LEFT ? -kHorizontalLine : kHorizontalLine;
        m_layout.ScrollTo(m_layout.TopLine(), m_layout.ScrollX() + step);
      } else {
        MoveFocus(focused < 0 ? 0 : focused + (key == VK_LEFT ? -1 : 1), ctrl, shift);
      }
      return;
    case VK_HOME:
      MoveFocus(0, ctrl, shift);
      return;
    case VK_END:
      MoveFocus(count - 1, ctrl, shift);
      return;
    case VK_PRIOR: {
      // The first press goes to the top of the page, the next ones a page further.
      int top = std::max(0, m_layout.TopIndex());
      MoveFocus(focused > top ? top : focused - page, ctrl, shift);
      return;
    }
    case VK_NEXT: {
      int bottom = std::max(0, m_layout.TopIndex()) + page - 1;
      MoveFocus(focused >= 0 && focused < bottom ? std::min(bottom, count - 1) : focused + page,
                ctrl, shift);
      return;
    }
    case VK_ESCAPE:
      if (HeaderControl* header = m_state.Header()) header->CancelDrag();
      return;
    default:
      return;
  }
}

void ListInput::FocusChanged(bool gained) {
  NMHDR hdr;
  m_notifier.Send(hdr, gained ? NM_SETFOCUS : NM_KILLFOCUS);
  // Selection and focus look different with and without the focus.
  int first = 0;
  int last = -1;
  m_layout.VisibleRange(m_layout.Client(), &first, &last);
  for (int i = first; i <= last && m_state.items.Has(i); ++i)
    if (m_state.items.Row(i).state & (LVIS_SELECTED | LVIS_FOCUSED)) m_layout.InvalidateItem(i);
}

void ListInput::Scroll(int bar, UINT code, int pos) {
  int top = m_layout.TopLine();
  int x = m_layout.ScrollX();
  int& value = bar == SB_VERT ? top : x;
  int line = bar == SB_VERT ? 1 : kHorizontalLine;
  int page = bar == SB_VERT ? std::max(1, m_state.hwnd->scrollPage[SB_VERT])
                            : std::max(1, static_cast<int>(m_layout.Client().right));
  switch (code) {
    case SB_LINEUP:
      value -= line;
      break;
    case SB_LINEDOWN:
      value += line;
      break;
    case SB_PAGEUP:
      value -= page;
      break;
    case SB_PAGEDOWN:
      value += page;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      value = pos;
      break;
    case SB_TOP:
      value = 0;
      break;
    case SB_BOTTOM:
      value = bar == SB_VERT ? m_state.items.Count() : m_layout.TotalWidth();
      break;
    default:
      return;
  }
  m_layout.ScrollTo(top, x);
}

void ListInput::Wheel(int delta) {
  m_state.wheelRemainder += delta;
  int notches = m_state.wheelRemainder / WHEEL_DELTA;
  if (notches == 0) return;
  m_state.wheelRemainder -= notches * WHEEL_DELTA;
  m_layout.ScrollTo(m_layout.TopLine() - notches * kWheelLines, m_layout.ScrollX());
}
