#include "ListNotifier.h"

LRESULT ListNotifier::Send(NMHDR& hdr, int code) {
  HWND parent = ::GetParent(m_state.hwnd);
  if (parent == nullptr || parent->destroying) return 0;
  hdr.hwndFrom = m_state.hwnd;
  hdr.idFrom = m_state.hwnd->id;
  hdr.code = code;
  return ::SendMessage(parent, WM_NOTIFY, m_state.hwnd->id, reinterpret_cast<LPARAM>(&hdr));
}

LRESULT ListNotifier::ListView(int code, int item, int subItem, LPARAM lParam, UINT newState,
                               UINT oldState, UINT changed) {
  NMLISTVIEW nm;
  nm.iItem = item;
  nm.iSubItem = subItem;
  nm.uNewState = newState;
  nm.uOldState = oldState;
  nm.uChanged = changed;
  nm.lParam = lParam;
  return Send(nm.hdr, code);
}

LRESULT ListNotifier::Activate(int code, int item, int subItem, POINT point, UINT keyFlags) {
  NMITEMACTIVATE nm;
  nm.iItem = item;
  nm.iSubItem = subItem;
  nm.ptAction = point;
  nm.uKeyFlags = keyFlags;
  if (m_state.items.Has(item)) {
    nm.lParam = m_state.items.Row(item).lParam;
    nm.uOldState = nm.uNewState = m_state.items.Row(item).state;
  }
  return Send(nm.hdr, code);
}

const char* ListNotifier::CellText(int item, int column, char* buffer, int capacity) {
  if (!m_state.items.Has(item)) return "";
  const ListRow& row = m_state.items.Row(item);
  const ListCell* cell = row.Cell(column);
  bool ownerData = (m_state.Style() & LVS_OWNERDATA) != 0;
  if (!ownerData && (cell == nullptr || !cell->callback)) return cell ? cell->text.c_str() : "";
  if (buffer == nullptr || capacity <= 0) return "";
  buffer[0] = '\0';
  NMLVDISPINFOA info;
  info.item.mask = LVIF_TEXT;
  info.item.iItem = item;
  info.item.iSubItem = column;
  info.item.lParam = row.lParam;
  info.item.pszText = buffer;
  info.item.cchTextMax = capacity;
  Send(info.hdr, LVN_GETDISPINFOA);
  buffer[capacity - 1] = '\0';
  if (info.item.pszText == nullptr || info.item.pszText == LPSTR_TEXTCALLBACKA) return "";
  return info.item.pszText;
}
