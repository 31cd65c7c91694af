// CListBase owned painting: owner-drawn rows with the control's own look, the cell geometry
// they share with hit testing, and the icon area repainted after custom draw.
#include <algorithm>
#include <cstring>

#include "listctrl/CListBase.h"
#include "platform/afx/CFont.h"
#include "platform/afx/Services.h"

namespace {

constexpr UINT kCellTextFlags =
    DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_VCENTER | DT_END_ELLIPSIS;
// Texts longer than this are read cut rather than doubled without end.
constexpr size_t kMaxFetchCapacity = 1u << 20;

bool ItemRect(HWND list, int item, int code, RECT* rect) {
  rect->left = code;
  return ::CallControlProc(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                           reinterpret_cast<LPARAM>(rect)) != 0;
}

bool SubItemRect(HWND list, int item, int controlIndex, RECT* rect) {
  rect->top = controlIndex;
  rect->left = LVIR_BOUNDS;
  return ::CallControlProc(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item),
                           reinterpret_cast<LPARAM>(rect)) != 0;
}

HIMAGELIST ListImages(HWND list, int which) {
  return reinterpret_cast<HIMAGELIST>(
      ::CallControlProc(list, LVM_GETIMAGELIST, static_cast<WPARAM>(which), 0));
}

// Draws one image at the rectangle's top-left corner, clipped to the rectangle plus one pixel.
void DrawListImage(CDC* dc, HIMAGELIST images, int index, const RECT& r, UINT style) {
  int cx = 0, cy = 0;
  if (images == nullptr || !images->GetImageSize(&cx, &cy)) return;
  dc->DrawImage(images, index, r.left, r.top, std::min(cx, r.right - r.left + 1),
                std::min(cy, r.bottom - r.top + 1), CLR_NONE, CLR_DEFAULT, style, SRCCOPY);
}

}  // namespace

void CListBase::PaintItemIcon(CDC* dc, const LVITEMA& item, const RECT& rect) {
  if (item.iImage <= 0) return;
  const bool selectedLook =
      (item.state & LVIS_SELECTED) != 0 && ::GetFocus() == ListHwnd() && ListHwnd() != nullptr;
  DrawListImage(dc, ListImages(ListHwnd(), LVSIL_SMALL), item.iImage, rect,
                selectedLook ? ILD_BLEND50 : ILD_NORMAL);
}

void CListBase::PaintStateImage(CDC* dc, const LVITEMA& item, const RECT& rect) {
  const int n = static_cast<int>((item.state >> 12) & 0xFu);
  if (n == 0) return;
  const bool selectedLook =
      (item.state & LVIS_SELECTED) != 0 && ::GetFocus() == ListHwnd() && ListHwnd() != nullptr;
  DrawListImage(dc, ListImages(ListHwnd(), LVSIL_STATE), n - 1, rect,
                selectedLook ? ILD_BLEND50 : ILD_NORMAL);
}

void CListBase::PaintCellText(CDC* dc, const LVITEMA& item, const LVCOLUMNA& column,
                              const RECT& rect) {
  if (item.pszText == nullptr || item.pszText == LPSTR_TEXTCALLBACKA || item.pszText[0] == '\0' ||
      rect.right <= rect.left)
    return;
  UINT flags = kCellTextFlags;
  if ((column.fmt & LVCFMT_CENTER) != 0)
    flags |= DT_CENTER;
  else if ((column.fmt & LVCFMT_RIGHT) != 0)
    flags |= DT_RIGHT;
  RECT r = rect;
  dc->DrawText(item.pszText, r, flags);
}

std::unique_ptr<SavedItem> CListBase::FetchItem(int item, int controlIndex) const {
  for (size_t capacity = 128;; capacity *= 2) {
    auto fetched = std::make_unique<SavedItem>();
    fetched->text = std::make_unique<char[]>(capacity);
    char* buffer = fetched->text.get();
    LVITEMA& d = fetched->desc;
    d.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    d.iItem = item;
    d.iSubItem = controlIndex;
    d.stateMask = 0xFFFFFFFFu;
    d.pszText = buffer;
    d.cchTextMax = static_cast<int>(capacity);
    if (Direct(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&d)) == 0) return nullptr;
    if (d.pszText != buffer) {
      // The control answered with a text of its own: copy it into a buffer that fits.
      const char* own = d.pszText != nullptr && d.pszText != LPSTR_TEXTCALLBACKA ? d.pszText : "";
      const size_t n = std::strlen(own);
      fetched->text = std::make_unique<char[]>(n + 1);
      std::memcpy(fetched->text.get(), own, n + 1);
      d.pszText = fetched->text.get();
      d.cchTextMax = static_cast<int>(n + 1);
      return fetched;
    }
    buffer[capacity - 1] = '\0';
    if (std::strlen(buffer) < capacity - 1 || capacity >= kMaxFetchCapacity) return fetched;
  }
}

bool CListBase::CellBounds(int item, int controlIndex, int part, RECT* rect) const {
  if (rect == nullptr) return false;
  const HWND list = ListHwnd();
  const bool leadMoved = m_bLabelInLeadColumn && HeaderOrderOf(0) > 0;
  switch (part) {
    case 0: {
      RECT cell;
      if (!SubItemRect(list, item, controlIndex, &cell)) return false;
      if (controlIndex == 0) {
        // The control reports the whole row for column 0.
        RECT label;
        if (!ItemRect(list, item, LVIR_LABEL, &label)) return false;
        cell.right = label.right;
        const int order0 = HeaderOrderOf(0);
        if (order0 > 0) {
          RECT before;
          if (!SubItemRect(list, item, HeaderIndexAt(order0 - 1), &before)) return false;
          cell.left = before.right;
        }
      }
      *rect = cell;
      return true;
    }
    case 1: {
      RECT icon, cell0;
      if (!ItemRect(list, item, LVIR_ICON, &icon) || !CellBounds(item, 0, 0, &cell0)) return false;
      if (leadMoved) {
        const int lead = HeaderIndexAt(0);
        RECT leadCell;
        if (!CellBounds(item, lead, 0, &leadCell)) return false;
        const int distance = icon.left - cell0.left;
        const int width = icon.right - icon.left;
        const int leadWidth =
            static_cast<int>(Direct(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(lead)));
        icon.left = leadCell.left + distance;
        icon.right = icon.left + width;
        if (distance + width >= leadWidth) icon.right = leadCell.left + leadWidth - 1;
      } else {
        icon.right = std::min(icon.right, cell0.right);
      }
      *rect = icon;
      return true;
    }
    case 2: {
      RECT label;
      if (!ItemRect(list, item, LVIR_LABEL, &label)) return false;
      if (leadMoved) {
        RECT cell0, leadCell;
        if (!CellBounds(item, 0, 0, &cell0) || !CellBounds(item, HeaderIndexAt(0), 0, &leadCell))
          return false;
        const int shift = label.left - cell0.left;
        label = leadCell;
        label.left += shift;
      }
      *rect = label;
      return true;
    }
    default:
      return false;
  }
}

bool CListBase::StateImageBounds(int item, RECT* rect) {
  if (rect == nullptr) return false;
  RECT base, icon;
  const int baseColumn = m_bLabelInLeadColumn ? HeaderIndexAt(0) : 0;
  if (!CellBounds(item, baseColumn, 0, &base) || !CellBounds(item, 0, 1, &icon)) return false;
  RECT r{base.left, base.top, icon.left, base.bottom};
  if (!IsRectEmpty(icon)) r.right = icon.left - 1;
  if (!m_bStateGapKnown) {
    int cx = 0;
    HIMAGELIST states = ListImages(ListHwnd(), LVSIL_STATE);
    if (states == nullptr || !states->GetImageSize(&cx, nullptr))
      m_nStateGap = 4;
    else
      m_nStateGap = std::clamp((r.right - r.left) - cx, 0, 4);
    m_bStateGapKnown = true;
  }
  r.left += m_nStateGap;
  if (r.right >= base.right) r.right = base.right - 1;
  *rect = r;
  return true;
}

int CListBase::TextFitWidth(int width, CDC* dc, const LVITEMA& item) const {
  if (item.pszText == nullptr || item.pszText == LPSTR_TEXTCALLBACKA || item.pszText[0] == '\0')
    return 0;
  return std::min(static_cast<int>(dc->GetTextExtent(item.pszText).cx), width);
}

void CListBase::SetFirstColumnFormat(int format) {
  m_nFirstColumnFormat = format;
  if (!IsOwnerDrawn() && (m_dwExStyle & LVS_EX_FULLROWSELECT) == 0) return;
  HWND header = HeaderHwnd();
  HDITEMA item;
  item.mask = HDI_FORMAT;
  if (::SendMessage(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) == 0) return;
  item.fmt = (item.fmt & ~HDF_JUSTIFYMASK) | (format & HDF_JUSTIFYMASK);
  ::SendMessage(header, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}
