#include "HeaderControl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/afx/CDC.h"

namespace {

// Half the width of the zone around a divider that grabs it.
constexpr int kDividerGrip = 4;
// Distance the mouse must move before a press becomes an item drag.
constexpr int kDragDistance = 4;

std::string TextOf(LPCSTR text) {
  return text != nullptr && text != LPSTR_TEXTCALLBACKA ? std::string(text) : std::string();
}

POINT PointOf(LPARAM lParam) {
  return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

LRESULT HeaderControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case HDM_GETITEMCOUNT:
      return m_items.Count();
    case HDM_INSERTITEMA:
      return InsertItem(static_cast<int>(wParam), reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_DELETEITEM: {
      ResetMode();
      if (!m_items.Erase(static_cast<int>(wParam))) return FALSE;
      Repaint();
      return TRUE;
    }
    case HDM_GETITEMA:
      return GetItem(static_cast<int>(wParam), reinterpret_cast<HDITEMA*>(lParam));
    case HDM_SETITEMA:
      return SetItem(static_cast<int>(wParam), reinterpret_cast<HDITEMA*>(lParam));
    case HDM_HITTEST: {
      auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
      if (info == nullptr) return -1;
      Hit hit = HitTest(info->pt);
      info->flags = hit.flags;
      info->iItem = hit.item;
      return hit.item;
    }
    case HDM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      int index = static_cast<int>(wParam);
      if (rect == nullptr || !m_items.Has(index)) return FALSE;
      *rect = ItemRect(index);
      return TRUE;
    }
    case HDM_SETIMAGELIST: {
      HIMAGELIST& slot = wParam == 0 ? m_images : m_stateImages;
      HIMAGELIST old = slot;
      slot = reinterpret_cast<HIMAGELIST>(lParam);
      Repaint();
      return reinterpret_cast<LRESULT>(old);
    }
    case HDM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(wParam == 0 ? m_images : m_stateImages);
    case HDM_ORDERTOINDEX: {
      // Out of range the position itself comes back, as the platform answers.
      int order = static_cast<int>(wParam);
      int index = m_items.IndexAt(order);
      return index >= 0 ? index : order;
    }
    case HDM_GETORDERARRAY: {
      auto* out = reinterpret_cast<int*>(lParam);
      if (out == nullptr || static_cast<int>(wParam) < m_items.Count()) return FALSE;
      std::copy(m_items.Order().begin(), m_items.Order().end(), out);
      return TRUE;
    }
    case HDM_SETORDERARRAY: {
      if (!m_items.SetOrder(reinterpret_cast<const int*>(lParam), static_cast<int>(wParam)))
        return FALSE;
      Repaint();
      return TRUE;
    }
    case WM_PAINT:
      Paint(reinterpret_cast<CDC*>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLButtonDown(PointOf(lParam));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(PointOf(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp(PointOf(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(PointOf(lParam));
      return 0;
    case WM_RBUTTONUP:
      OnRButtonUp(PointOf(lParam));
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) CancelDrag();
      return 0;
    case WM_KILLFOCUS:
      CancelDrag();
      return 0;
    case WM_SETFONT:
      m_hwnd->font = reinterpret_cast<HFONT>(wParam);
      if (lParam != 0) Repaint();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_hwnd->font);
    default:
      return 0;
  }
}

RECT HeaderControl::ItemRect(int index) const {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  int left = m_items.Left(index);
  return RECT{left, 0, left + std::max(0, m_items.Item(index).width), client.bottom};
}

void HeaderControl::Repaint() {
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

void HeaderControl::ResetMode() {
  if (m_mode != Mode::None) Repaint();
  m_mode = Mode::None;
  m_item = -1;
  m_hot = -1;
}

bool HeaderControl::CancelDrag() {
  if (m_mode == Mode::Tracking && m_items.Has(m_item)) {
    int item = m_item;
    m_mode = Mode::None;
    ChangeWidth(item, m_trackStartWidth);
    if (!m_items.Has(item)) return true;
    HDITEMA hd;
    hd.mask = HDI_WIDTH;
    hd.cxy = m_items.Item(item).width;
    Notify(HDN_ENDTRACKA, item, &hd);
    return true;
  }
  if (m_mode == Mode::Dragging) {
    int item = m_item;
    m_mode = Mode::None;
    HDITEMA hd;
    hd.mask = HDI_ORDER;
    hd.iOrder = -1;
    Notify(HDN_ENDDRAG, item, &hd);
    Repaint();
    return true;
  }
  return false;
}

HeaderControl::Hit HeaderControl::HitTest(POINT pt) const {
  Hit hit;
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  if (pt.y < 0 || pt.y >= client.bottom) return hit;
  // Dividers first: the right edge of each item, nearest wins; of items sharing one edge the
  // left one owns its left half and the last (hidden, zero-width) one its right half.
  int best = -1;
  int bestDistance = kDividerGrip + 1;
  int x = 0;
  for (int pos = 0; pos < m_items.Count(); ++pos) {
    int index = m_items.IndexAt(pos);
    x += std::max(0, m_items.Item(index).width);
    int distance = std::abs(pt.x - x);
    if (pt.x >= x - kDividerGrip && pt.x < x + kDividerGrip &&
        (distance < bestDistance || (distance == bestDistance && pt.x >= x))) {
      best = index;
      bestDistance = distance;
    }
  }
  if (best >= 0) {
    hit.item = best;
    hit.flags = m_items.Item(best).width > 0 ? HHT_ONDIVIDER : HHT_ONDIVOPEN;
    return hit;
  }
  if (pt.x < 0) return hit;
  x = 0;
  for (int pos = 0; pos < m_items.Count(); ++pos) {
    int index = m_items.IndexAt(pos);
    int width = std::max(0, m_items.Item(index).width);
    if (pt.x >= x && pt.x < x + width) {
      hit.item = index;
      hit.flags = HHT_ONHEADER;
      return hit;
    }
    x += width;
  }
  return hit;
}

LRESULT HeaderControl::Notify(int code, int item, HDITEMA* pitem, int button) {
  HWND parent = ::GetParent(m_hwnd);
  if (parent == nullptr) return 0;
  NMHEADERA nm;
  nm.hdr.hwndFrom = m_hwnd;
  nm.hdr.idFrom = m_hwnd->id;
  nm.hdr.code = code;
  nm.iItem = item;
  nm.iButton = button;
  nm.pitem = pitem;
  return ::SendMessage(parent, WM_NOTIFY, m_hwnd->id, reinterpret_cast<LPARAM>(&nm));
}

LRESULT HeaderControl::InsertItem(int index, const HDITEMA* in) {
  if (in == nullptr || index < 0) return -1;
  HeaderItem item;
  item.fmt =
      (in->mask & HDI_FORMAT) != 0 ? in->fmt : HDF_LEFT | ((in->mask & HDI_TEXT) ? HDF_STRING : 0);
  if (in->mask & HDI_TEXT) item.text = TextOf(in->pszText);
  if (in->mask & HDI_WIDTH) item.width = std::max(0, in->cxy);
  if (in->mask & HDI_IMAGE) item.image = in->iImage;
  if (in->mask & HDI_LPARAM) item.lParam = in->lParam;
  if (in->mask & HDI_BITMAP) item.bitmap = in->hbm;
  ResetMode();
  int at = m_items.Insert(index, std::move(item), (in->mask & HDI_ORDER) ? in->iOrder : -1);
  Repaint();
  return at;
}

LRESULT HeaderControl::GetItem(int index, HDITEMA* out) const {
  if (out == nullptr || !m_items.Has(index)) return FALSE;
  const HeaderItem& item = m_items.Item(index);
  if (out->mask & HDI_WIDTH) out->cxy = item.width;
  if (out->mask & HDI_FORMAT) out->fmt = item.fmt;
  if (out->mask & HDI_IMAGE) out->iImage = item.image;
  if (out->mask & HDI_LPARAM) out->lParam = item.lParam;
  if (out->mask & HDI_BITMAP) out->hbm = item.bitmap;
  if (out->mask & HDI_ORDER) out->iOrder = m_items.OrderOf(index);
  if ((out->mask & HDI_TEXT) && out->pszText != nullptr && out->cchTextMax > 0) {
    size_t n = std::min(item.text.size(), static_cast<size_t>(out->cchTextMax - 1));
    std::memcpy(out->pszText, item.text.data(), n);
    out->pszText[n] = '\0';
  }
  return TRUE;
}

LRESULT HeaderControl::SetItem(int index, HDITEMA* in) {
  if (in == nullptr || !m_items.Has(index)) return FALSE;
  if (Notify(HDN_ITEMCHANGINGA, index, in) != 0 || !m_items.Has(index)) return FALSE;
  Apply(index, *in);
  Repaint();
  Notify(HDN_ITEMCHANGEDA, index, in);
  return TRUE;
}

void HeaderControl::Apply(int index, const HDITEMA& in) {
  HeaderItem& item = m_items.Item(index);
  if (in.mask & HDI_WIDTH) item.width = std::max(0, in.cxy);
  if (in.mask & HDI_TEXT) item.text = TextOf(in.pszText);
  if (in.mask & HDI_FORMAT) item.fmt = in.fmt;
  if (in.mask & HDI_IMAGE) item.image = in.iImage;
  if (in.mask & HDI_LPARAM) item.lParam = in.lParam;
  if (in.mask & HDI_BITMAP) item.bitmap = in.hbm;
  if (in.mask & HDI_ORDER) m_items.Move(index, in.iOrder);
}

void HeaderControl::ChangeWidth(int index, int width) {
  HDITEMA hd;
  hd.mask = HDI_WIDTH;
  hd.cxy = std::max(0, width);
  if (hd.cxy == m_items.Item(index).width) return;
  if (Notify(HDN_ITEMCHANGINGA, index, &hd) != 0 || !m_items.Has(index)) return;
  m_items.Item(index).width = hd.cxy;
  Repaint();
  Notify(HDN_ITEMCHANGEDA, index, &hd);
}

void HeaderControl::Paint(CDC* dc) {
  if (dc == nullptr) return;
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  RECT clip = dc->GetClipBox();
  int x = 0;
  for (int pos = 0; pos < m_items.Count(); ++pos) {
    int index = m_items.IndexAt(pos);
    const HeaderItem& item = m_items.Item(index);
    int width = std::max(0, item.width);
    if (width > 0 && x + width > clip.left && x < clip.right) {
      HeaderItemPaint paint;
      paint.rect = RECT{x, 0, x + width, client.bottom};
      paint.text = item.text;
      paint.fmt = item.fmt;
      paint.images = m_images;
      paint.image = item.image;
      paint.pressed = (m_mode == Mode::Pressed || m_mode == Mode::Dragging) && m_item == index;
      paint.hot = m_hot == index;
      dc->DrawHeaderItem(paint);
    }
    x += width;
  }
  if (x < client.right && x < clip.right) {
    HeaderItemPaint filler;
    filler.rect = RECT{x, 0, client.right, client.bottom};
    filler.fmt = 0;
    dc->DrawHeaderItem(filler);
  }
}

void HeaderControl::OnLButtonDown(POINT pt) {
  if (m_mode != Mode::None) return;
  Hit hit = HitTest(pt);
  if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
    HDITEMA hd;
    hd.mask = HDI_WIDTH;
    hd.cxy = m_items.Item(hit.item).width;
    if (Notify(HDN_BEGINTRACKA, hit.item, &hd) != 0 || !m_items.Has(hit.item)) return;
    m_mode = Mode::Tracking;
    m_item = hit.item;
    m_trackStartWidth = m_items.Item(hit.item).width;
    return;
  }
  if (hit.flags & HHT_ONHEADER) {
    m_mode = Mode::Pressed;
    m_item = hit.item;
    m_pressPoint = pt;
    m_dragRefused = false;
    Repaint();
  }
}

void HeaderControl::OnMouseMove(POINT pt) {
  if (m_mode != Mode::None && !m_items.Has(m_item)) ResetMode();
  switch (m_mode) {
    case Mode::None: {
      Hit hit = HitTest(pt);
      SetHot(hit.flags == HHT_ONHEADER ? hit.item : -1);
      return;
    }
    case Mode::Tracking: {
      int item = m_item;
      HDITEMA hd;
      hd.mask = HDI_WIDTH;
      hd.cxy = std::max(0, pt.x - m_items.Left(item));
      if (Notify(HDN_TRACKA, item, &hd) != 0) {
        // The parent stops the drag here.
        m_mode = Mode::None;
        if (m_items.Has(item)) Notify(HDN_ENDTRACKA, item, &hd);
        return;
      }
      if (m_items.Has(item)) ChangeWidth(item, hd.cxy);
      return;
    }
    case Mode::Pressed: {
      bool far = std::abs(pt.x - m_pressPoint.x) > kDragDistance ||
                 std::abs(pt.y - m_pressPoint.y) > kDragDistance;
      if (!far || m_dragRefused || (GetWindowStyle(m_hwnd) & HDS_DRAGDROP) == 0) return;
      HDITEMA hd;
      hd.mask = HDI_ORDER;
      hd.iOrder = m_items.OrderOf(m_item);
      if (Notify(HDN_BEGINDRAG, m_item, &hd) != 0 || !m_items.Has(m_item)) {
        m_dragRefused = true;
        return;
      }
      m_mode = Mode::Dragging;
      return;
    }
    case Mode::Dragging:
      return;
  }
}

void HeaderControl::OnLButtonUp(POINT pt) {
  Mode mode = m_mode;
  int item = m_item;
  m_mode = Mode::None;
  m_item = -1;
  if (!m_items.Has(item)) return;
  if (mode == Mode::Tracking) {
    HDITEMA hd;
    hd.mask = HDI_WIDTH;
    hd.cxy = m_items.Item(item).width;
    Notify(HDN_ENDTRACKA, item, &hd);
  } else if (mode == Mode::Pressed) {
    Repaint();
    Hit hit = HitTest(pt);
    if ((GetWindowStyle(m_hwnd) & HDS_BUTTONS) && hit.flags == HHT_ONHEADER && hit.item == item)
      Notify(HDN_ITEMCLICKA, item, nullptr);
  } else if (mode == Mode::Dragging) {
    HDITEMA hd;
    hd.mask = HDI_ORDER;
    hd.iOrder = DropOrder(pt);
    if (Notify(HDN_ENDDRAG, item, &hd) == 0 && hd.iOrder >= 0 && m_items.Has(item))
      m_items.Move(item, hd.iOrder);
    Repaint();
  }
}

int HeaderControl::DropOrder(POINT pt) const {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  if (pt.y < 0 || pt.y >= client.bottom || m_items.Count() == 0) return -1;
  int x = 0;
  for (int pos = 0; pos < m_items.Count(); ++pos) {
    x += std::max(0, m_items.Item(m_items.IndexAt(pos)).width);
    if (pt.x < x) return pos;
  }
  return m_items.Count() - 1;
}

void HeaderControl::OnLButtonDblClk(POINT pt) {
  if (m_mode != Mode::None) return;
  Hit hit = HitTest(pt);
  if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))
    Notify(HDN_DIVIDERDBLCLICKA, hit.item, nullptr);
  else if (hit.flags & HHT_ONHEADER)
    Notify(HDN_ITEMDBLCLICKA, hit.item, nullptr);
}

void HeaderControl::OnRButtonUp(POINT pt) {
  HWND parent = ::GetParent(m_hwnd);
  if (parent == nullptr) return;
  POINT screen = pt;
  ::ClientToScreen(m_hwnd, &screen);
  ::SendMessage(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hwnd),
                MAKELPARAM(screen.x, screen.y));
}

void HeaderControl::SetHot(int item) {
  if (item == m_hot) return;
  int old = m_hot;
  m_hot = item;
  if ((GetWindowStyle(m_hwnd) & (HDS_BUTTONS | HDS_HOTTRACK)) == 0) return;
  for (int index : {old, item}) {
    if (!m_items.Has(index)) continue;
    RECT r = ItemRect(index);
    ::InvalidateRect(m_hwnd, &r, TRUE);
  }
}
