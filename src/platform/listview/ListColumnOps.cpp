#include "ListColumnOps.h"

#include <algorithm>

#include "TextCopy.h"
#include "platform/afx/Services.h"

namespace {

constexpr int kTextBuffer = 260;
// Room around a text when a column is sized to fit it: 2 pixels each side of the first
// column's label, 6 pixels each side of the other cells.
constexpr int kLabelPadding = 6;
constexpr int kCellPadding = 12;

std::string TextOf(LPCSTR text) {
  return text != nullptr && text != LPSTR_TEXTCALLBACKA ? std::string(text) : std::string();
}

}  // namespace

int ListColumnOps::HeaderFormat(int listFormat, int oldHeaderFormat) {
  int fmt = (listFormat & LVCFMT_JUSTIFYMASK) | HDF_STRING;
  if (listFormat & LVCFMT_IMAGE) fmt |= HDF_IMAGE;
  if (listFormat & LVCFMT_BITMAP_ON_RIGHT) fmt |= HDF_BITMAP_ON_RIGHT;
  // A sort arrow someone put on the header item stays through a format change.
  return fmt | (oldHeaderFormat & (HDF_SORTUP | HDF_SORTDOWN));
}

void ListColumnOps::Changed() {
  if (HeaderControl* header = m_state.Header()) header->Repaint();
  m_layout.Sync();
  m_layout.InvalidateItems();
}

LRESULT ListColumnOps::Insert(int index, const LVCOLUMNA* in) {
  HeaderControl* header = m_state.Header();
  if (in == nullptr || index < 0 || header == nullptr) return -1;
  index = std::min(index, m_state.ColumnCount());
  ListColumn column;
  if (in->mask & LVCF_FMT) column.fmt = in->fmt;
  if (index == 0) column.fmt &= ~LVCFMT_JUSTIFYMASK;
  if (in->mask & LVCF_IMAGE) column.image = in->iImage;
  column.subItem = (in->mask & LVCF_SUBITEM) ? in->iSubItem : index;
  HeaderItem item;
  if (in->mask & LVCF_TEXT) item.text = TextOf(in->pszText);
  item.fmt = HeaderFormat(column.fmt, 0);
  item.image = column.image;
  int width = (in->mask & LVCF_WIDTH) ? in->cx : 0;
  item.width = std::max(0, width);
  header->ResetMode();
  header->Items().Insert(index, std::move(item), (in->mask & LVCF_ORDER) ? in->iOrder : -1);
  m_state.columns.insert(m_state.columns.begin() + index, column);
  m_state.items.InsertColumn(index);
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) SetWidth(index, width);
  Changed();
  return index;
}

LRESULT ListColumnOps::Delete(int index) {
  HeaderControl* header = m_state.Header();
  if (header == nullptr || index < 0 || index >= m_state.ColumnCount()) return FALSE;
  header->ResetMode();
  header->Items().Erase(index);
  m_state.columns.erase(m_state.columns.begin() + index);
  m_state.items.DeleteColumn(index);
  Changed();
  return TRUE;
}

LRESULT ListColumnOps::Get(int index, LVCOLUMNA* io) const {
  HeaderControl* header = m_state.Header();
  if (io == nullptr || header == nullptr || index < 0 || index >= m_state.ColumnCount() ||
      !header->Items().Has(index))
    return FALSE;
  const ListColumn& column = m_state.columns[static_cast<size_t>(index)];
  const HeaderItem& item = header->Items().Item(index);
  if (io->mask & LVCF_FMT) io->fmt = column.fmt;
  if (io->mask & LVCF_WIDTH) io->cx = item.width;
  if (io->mask & LVCF_SUBITEM) io->iSubItem = column.subItem;
  if (io->mask & LVCF_IMAGE) io->iImage = column.image;
  if (io->mask & LVCF_ORDER) io->iOrder = header->Items().OrderOf(index);
  if (io->mask & LVCF_TEXT) CopyTextToBuffer(io->pszText, io->cchTextMax, item.text.c_str());
  return TRUE;
}

LRESULT ListColumnOps::Set(int index, const LVCOLUMNA* in) {
  HeaderControl* header = m_state.Header();
  if (in == nullptr || header == nullptr || index < 0 || index >= m_state.ColumnCount() ||
      !header->Items().Has(index))
    return FALSE;
  ListColumn& column = m_state.columns[static_cast<size_t>(index)];
  HeaderItem& item = header->Items().Item(index);
  if (in->mask & LVCF_FMT) {
    column.fmt = index == 0 ? in->fmt & ~LVCFMT_JUSTIFYMASK : in->fmt;
    item.fmt = HeaderFormat(column.fmt, item.fmt);
  }
  if (in->mask & LVCF_IMAGE) item.image = column.image = in->iImage;
  if (in->mask & LVCF_SUBITEM) column.subItem = in->iSubItem;
  if (in->mask & LVCF_TEXT) item.text = TextOf(in->pszText);
  if (in->mask & LVCF_ORDER) header->Items().Move(index, in->iOrder);
  if (in->mask & LVCF_WIDTH) {
    if (in->cx == LVSCW_AUTOSIZE || in->cx == LVSCW_AUTOSIZE_USEHEADER)
      SetWidth(index, in->cx);
    else
      header->Items().Item(index).width = std::max(0, in->cx);
  }
  Changed();
  return TRUE;
}

LRESULT ListColumnOps::GetWidth(int index) const {
  if (index < 0 || index >= m_state.ColumnCount()) return 0;
  return m_layout.ColumnWidth(index);
}

LRESULT ListColumnOps::SetWidth(int index, int width) {
  HeaderControl* header = m_state.Header();
  if (header == nullptr || index < 0 || index >= m_state.ColumnCount() ||
      !header->Items().Has(index))
    return FALSE;
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)
    width = AutoWidth(index, width == LVSCW_AUTOSIZE_USEHEADER);
  if (width < 0) return FALSE;
  // The measuring above may have asked the parent for texts; the column may be gone.
  if (!header->Items().Has(index)) return FALSE;
  header->Items().Item(index).width = width;
  Changed();
  return TRUE;
}

int ListColumnOps::AutoWidth(int index, bool useHeader) {
  HFONT font = m_state.hwnd->font;
  int widest = 0;
  char buffer[kTextBuffer];
  for (int i = 0; i < m_state.items.Count(); ++i) {
    const char* text = m_notifier.CellText(i, index, buffer, kTextBuffer);
    if (text[0] != '\0') widest = std::max(widest, static_cast<int>(MeasureText(font, text).cx));
  }
  int width = widest + kCellPadding;
  if (index == 0 && m_state.IsReport()) {
    int stateWidth = m_layout.StateWidth();
    HIMAGELIST small = m_state.images[LVSIL_SMALL];
    width = 2 + stateWidth + (small != nullptr ? small->Width() : 0) + widest + kLabelPadding;
  }
  HeaderControl* header = m_state.Header();
  if (!useHeader || header == nullptr || !header->Items().Has(index)) return width;
  const std::string& title = header->Items().Item(index).text;
  width = std::max(width, static_cast<int>(MeasureText(font, title).cx) + kCellPadding);
  const std::vector<int>& order = header->Items().Order();
  if (!order.empty() && order.back() == index) {
    int others = header->Items().TotalWidth() - header->Items().Item(index).width;
    width = std::max(width, static_cast<int>(m_layout.Client().right) - others);
  }
  return width;
}

LRESULT ListColumnOps::GetOrder(int count, int* out) const {
  HeaderControl* header = m_state.Header();
  if (out == nullptr || header == nullptr || count < header->Items().Count()) return FALSE;
  std::copy(header->Items().Order().begin(), header->Items().Order().end(), out);
  return TRUE;
}

LRESULT ListColumnOps::SetOrder(int count, const int* in) {
  HeaderControl* header = m_state.Header();
  if (header == nullptr || !header->Items().SetOrder(in, count)) return FALSE;
  Changed();
  return TRUE;
}

LRESULT ListColumnOps::StringWidth(LPCSTR text) const {
  if (text == nullptr) return 0;
  return MeasureText(m_state.hwnd->font, text).cx;
}
