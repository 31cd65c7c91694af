// CListBase sort presentation: header indicators, arrow images, the sort-column tint and its
// band, custom draw, and the events after which they are brought up to date.
#include <algorithm>
#include <cstdlib>

#include "listctrl/CListBase.h"
#include "platform/afx/Services.h"
#include "res/ArrowBitmaps.h"

void CListBase::ApplySortIndicators() {
  HWND header = HeaderHwnd();
  if (header == nullptr) return;
  const bool native = s_nCommonControlsLevel == 2;
  for (int c = ColumnCount() - 1; c >= 0; --c) {
    if (!Column(c).m_bVisible) continue;
    const int k = ControlIndexFromColumn(c);
    HDITEMA item;
    item.mask = native ? HDI_FORMAT : (HDI_FORMAT | HDI_IMAGE);
    if (::SendMessage(header, HDM_GETITEMA, static_cast<WPARAM>(k),
                      reinterpret_cast<LPARAM>(&item)) == 0)
      continue;
    const int oldFmt = item.fmt;
    const int oldImage = item.iImage;
    const bool ascending = m_bShowSortIndicator && m_nSortState != 0 && m_nSortState == c + 1;
    const bool descending = m_bShowSortIndicator && m_nSortState != 0 && m_nSortState == -(c + 1);
    int fmt = (item.fmt & HDF_JUSTIFYMASK) | HDF_STRING;
    if (native) {
      if (ascending) fmt |= HDF_SORTUP;
      if (descending) fmt |= HDF_SORTDOWN;
    } else if (ascending || descending) {
      fmt |= HDF_BITMAP_ON_RIGHT | HDF_IMAGE;
      item.iImage = ascending ? m_nAscImage : m_nDescImage;
    }
    // Every new row re-applies the indicators: an item that already shows them is left alone
    // (no change notifications, no repaint).
    if (fmt == oldFmt && (native || item.iImage == oldImage)) continue;
    item.fmt = fmt;
    ::SendMessage(header, HDM_SETITEMA, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&item));
  }
}

void CListBase::BuildArrowImages() {
  if (m_imlArrows.GetSafeHandle() != nullptr) return;
  RegisterArrowBitmaps();
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  m_imlArrows.Create(9, 5, ILC_COLOR24 | ILC_MASK, 2, 0);
  if (m_bmpArrowAsc.CreateMappedBitmap(131, RGB(0, 0, 0), grey))
    m_nAscImage = m_imlArrows.AddMasked(m_bmpArrowAsc, RGB(255, 255, 255));
  if (m_bmpArrowDesc.CreateMappedBitmap(132, RGB(0, 0, 0), grey))
    m_nDescImage = m_imlArrows.AddMasked(m_bmpArrowDesc, RGB(255, 255, 255));
}

void CListBase::EnableSortTint(bool on) {
  if (on == (m_bTintSortColumn != FALSE)) return;
  if (on) {
    DesktopService* desktop = AfxServices().desktop;
    const int bits = desktop != nullptr ? desktop->BitsPerPixel(ListHwnd()) : 32;
    if (bits <= 8) return;
    const COLORREF bk = ListBkColor();
    const int r = GetRValue(bk), g = GetGValue(bk), b = GetBValue(bk);
    auto lighter = [](int x) { return x < 232 ? x + x / 10 : 255; };
    if (r > 240 && g > 240 && b > 240)
      m_clrSortTint = RGB(static_cast<unsigned>(r - 8), static_cast<unsigned>(g - 8),
                          static_cast<unsigned>(b - 8));
    else
      m_clrSortTint = RGB(static_cast<unsigned>(lighter(r)), static_cast<unsigned>(lighter(g)),
                          static_cast<unsigned>(lighter(b)));
  }
  m_bTintSortColumn = on ? TRUE : FALSE;
  if (ListHwnd() != nullptr) ::InvalidateRect(ListHwnd(), nullptr, TRUE);
}

void CListBase::RepaintOutsideItems() {
  const int top = static_cast<int>(Direct(LVM_GETTOPINDEX));
  const int count = ItemCount();
  if (top < 0 || count <= 0) return;
  // Only the header's bottom edge is needed; the sort column's own item has it.
  const int k = SortColumnControlIndex();
  if (k < 0) return;
  RECT headerItem;
  if (::SendMessage(HeaderHwnd(), HDM_GETITEMRECT, static_cast<WPARAM>(k),
                    reinterpret_cast<LPARAM>(&headerItem)) == 0)
    return;
  RECT client;
  ::GetClientRect(ListHwnd(), &client);
  RECT topItem;
  topItem.left = LVIR_BOUNDS;
  if (Direct(LVM_GETITEMRECT, static_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&topItem)) != 0) {
    RECT above{client.left, headerItem.bottom, client.right, topItem.top};
    if (above.bottom > above.top) ::InvalidateRect(ListHwnd(), &above, TRUE);
  }
  RECT lastItem;
  lastItem.left = LVIR_BOUNDS;
  if (Direct(LVM_GETITEMRECT, static_cast<WPARAM>(count - 1),
             reinterpret_cast<LPARAM>(&lastItem)) != 0 &&
      lastItem.bottom < client.bottom) {
    RECT below{client.left, lastItem.bottom, client.right, client.bottom};
    ::InvalidateRect(ListHwnd(), &below, TRUE);
  }
}

BOOL CListBase::OnEraseBkgnd(CDC* dc) {
  auto byDefault = [&] {
    return Default(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0 ? TRUE : FALSE;
  };
  const int k = SortColumnControlIndex();
  if (!m_bTintSortColumn || k < 0 || dc == nullptr) return byDefault();
  RECT band;
  if (::SendMessage(HeaderHwnd(), HDM_GETITEMRECT, static_cast<WPARAM>(k),
                    reinterpret_cast<LPARAM>(&band)) == 0)
    return byDefault();
  const int scroll = ::GetScrollPos(ListHwnd(), SB_HORZ);
  const int left = band.left - scroll;
  const int right = band.right - scroll;
  const RECT clip = dc->GetClipBox();
  if (right <= clip.left || left >= clip.right) return byDefault();
  const COLORREF bk = ListBkColor();
  if (left > clip.left) dc->FillSolidRect(RECT{clip.left, clip.top, left, clip.bottom}, bk);
  dc->FillSolidRect(
      RECT{std::max(left, clip.left), clip.top, std::min(right, clip.right), clip.bottom},
      m_clrSortTint);
  if (right < clip.right) dc->FillSolidRect(RECT{right, clip.top, clip.right, clip.bottom}, bk);
  return TRUE;
}

void CListBase::OnHScroll(UINT code, UINT pos, CWnd*) {
  // The list's own scroll bar: no bar window goes with the message.
  Default(WM_HSCROLL,
          static_cast<WPARAM>(MAKELPARAM(static_cast<int>(code), static_cast<int>(pos))), 0);
  RepaintOutsideItems();
}

void CListBase::OnSysColorChange() {
  Default(WM_SYSCOLORCHANGE, 0, 0);
  if (m_imlArrows.GetSafeHandle() != nullptr) {
    m_imlArrows.DeleteImageList();
    m_bmpArrowAsc.DeleteObject();
    m_bmpArrowDesc.DeleteObject();
    BuildArrowImages();
    ::SendMessage(HeaderHwnd(), HDM_SETIMAGELIST, 0,
                  reinterpret_cast<LPARAM>(m_imlArrows.GetSafeHandle()));
    ApplySortIndicators();
  }
  const bool wasOn = m_bTintSortColumn != FALSE;
  m_bTintSortColumn = wasOn ? FALSE : TRUE;
  EnableSortTint(wasOn);
}

LRESULT CListBase::OnSetBkColor(WPARAM wParam, LPARAM lParam) {
  if (Default(LVM_SETBKCOLOR, wParam, lParam) == 0) return 0;
  if (m_bTintSortColumn) {
    m_bTintSortColumn = FALSE;
    EnableSortTint(true);
  }
  return 1;
}

LRESULT CListBase::OnSetImageList(WPARAM wParam, LPARAM lParam) {
  LRESULT r = Default(LVM_SETIMAGELIST, wParam, lParam);
  if (static_cast<int>(wParam) == LVSIL_SMALL && lParam != 0)
    ::SendMessage(HeaderHwnd(), HDM_SETIMAGELIST, 0,
                  reinterpret_cast<LPARAM>(m_imlArrows.GetSafeHandle()));
  return r;
}

void CListBase::OnCustomDraw(NMHDR* nmhdr, LRESULT* result) {
  auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nmhdr);
  LRESULT answer = CDRF_DODEFAULT;
  switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      answer = CDRF_NOTIFYITEMDRAW;
      break;
    case CDDS_ITEMPREPAINT:
      answer = CDRF_NOTIFYSUBITEMDRAW;
      break;
    case CDDS_SUBITEMPREPAINT:
      if (m_bTintSortColumn) {
        const int k = SortColumnControlIndex();
        cd->clrTextBk = k >= 0 && k == cd->iSubItem ? m_clrSortTint : ListBkColor();
        answer = CDRF_NEWFONT;
      }
      if (cd->iSubItem == 0) answer |= CDRF_NOTIFYPOSTPAINT;
      break;
    case CDDS_SUBITEMPOSTPAINT:
      RepaintIconArea(cd);
      break;
    default:
      break;
  }
  if (result != nullptr) *result = answer;
}
