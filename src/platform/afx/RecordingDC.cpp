#include "RecordingDC.h"

#include <algorithm>
#include <iterator>

#include "Services.h"

RecordingDC::RecordingDC(RECT clip) : m_clip(clip) {}

RecordingDC::Record& RecordingDC::Add(Kind kind) {
  records.emplace_back();
  Record& r = records.back();
  r.kind = kind;
  r.textColor = m_textColor;
  r.font = m_font;
  return r;
}

void RecordingDC::SetDeviceCaps(int index, int value) {
  switch (index) {
    case BITSPIXEL:
      m_bitsPixel = value;
      break;
    case VERTRES:
      m_vertRes = value;
      break;
    case HORZRES:
      m_horzRes = value;
      break;
    case LOGPIXELSX:
    case LOGPIXELSY:
      m_logPixels = value;
      break;
    default:
      break;
  }
}

std::vector<RecordingDC::Record> RecordingDC::Of(Kind kind) const {
  std::vector<Record> out;
  std::copy_if(records.begin(), records.end(), std::back_inserter(out),
               [kind](const Record& r) { return r.kind == kind; });
  return out;
}

size_t RecordingDC::Count(Kind kind) const {
  return static_cast<size_t>(std::count_if(records.begin(), records.end(),
                                           [kind](const Record& r) { return r.kind == kind; }));
}

COLORREF RecordingDC::SetTextColor(COLORREF color) {
  COLORREF old = m_textColor;
  m_textColor = color;
  Add(Kind::SetTextColor).color = color;
  return old;
}

COLORREF RecordingDC::SetBkColor(COLORREF color) {
  COLORREF old = m_bkColor;
  m_bkColor = color;
  Add(Kind::SetBkColor).color = color;
  return old;
}

int RecordingDC::SetBkMode(int mode) {
  int old = m_bkMode;
  m_bkMode = mode;
  Add(Kind::SetBkMode).flags = static_cast<UINT>(mode);
  return old;
}

HFONT RecordingDC::SelectFont(HFONT font) {
  HFONT old = m_font;
  m_font = font;
  Add(Kind::SelectFont).font = font;
  return old;
}

int RecordingDC::SetMapMode(int mode) {
  int old = m_mapMode;
  m_mapMode = mode;
  Add(Kind::SetMapMode).flags = static_cast<UINT>(mode);
  return old;
}

int RecordingDC::GetDeviceCaps(int index) const {
  switch (index) {
    case BITSPIXEL:
      return m_bitsPixel;
    case VERTRES:
      return m_vertRes;
    case HORZRES:
      return m_horzRes;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return m_logPixels;
    default:
      return 0;
  }
}

void RecordingDC::SetTextMetrics(const TEXTMETRIC& metrics) {
  m_textMetrics = metrics;
  m_hasTextMetrics = true;
}

void RecordingDC::SetEscapeResult(int code, int result) {
  m_escapeResults[code] = result;
}

BOOL RecordingDC::GetTextMetrics(TEXTMETRIC* metrics) const {
  if (metrics == nullptr) return FALSE;
  *metrics = m_hasTextMetrics ? m_textMetrics : FontMetrics(nullptr);
  return TRUE;
}

SIZE RecordingDC::GetTextExtent(const std::string& text) const {
  return MeasureText(nullptr, text);
}

void RecordingDC::FillSolidRect(const RECT& rect, COLORREF color) {
  Record& r = Add(Kind::FillSolidRect);
  r.rect = rect;
  r.color = color;
}

BOOL RecordingDC::TextOut(int x, int y, const std::string& text) {
  Record& r = Add(Kind::TextOut);
  SIZE size = GetTextExtent(text);
  r.rect = RECT{x, y, x + size.cx, y + size.cy};
  r.text = text;
  r.color = m_bkColor;
  return TRUE;
}

int RecordingDC::DrawText(const std::string& text, RECT& rect, UINT format) {
  Record& r = Add(Kind::DrawText);
  r.rect = rect;
  r.text = text;
  r.flags = format;
  r.color = m_bkColor;
  return GetTextExtent(text).cy;
}

void RecordingDC::DrawFocusRect(const RECT& rect) {
  Add(Kind::DrawFocusRect).rect = rect;
}

void RecordingDC::DrawLine(POINT from, POINT to, COLORREF color) {
  Record& r = Add(Kind::DrawLine);
  r.rect = RECT{from.x, from.y, to.x, to.y};
  r.color = color;
}

void RecordingDC::DrawImage(HIMAGELIST list, int index, int x, int y, int cx, int cy, COLORREF bk,
                            COLORREF, UINT style, DWORD rop) {
  Record& r = Add(Kind::DrawImage);
  r.rect = RECT{x, y, x + cx, y + cy};
  r.images = list;
  r.image = index;
  r.color = bk;
  r.flags = style;
  r.rop = rop;
}

void RecordingDC::DrawBitmap(const CBitmap&, int x, int y, int cx, int cy) {
  Add(Kind::DrawBitmap).rect = RECT{x, y, x + cx, y + cy};
}

void RecordingDC::DrawHeaderItem(const HeaderItemPaint& item) {
  Record& r = Add(Kind::DrawHeaderItem);
  r.rect = item.rect;
  r.text = item.text;
  r.flags = static_cast<UINT>(item.fmt);
  r.images = item.images;
  r.image = item.image;
  r.state = item.pressed;
  r.hot = item.hot;
}

void RecordingDC::DrawSelectionBackground(const RECT& rect, bool focused, COLORREF color) {
  Record& r = Add(Kind::DrawSelectionBackground);
  r.rect = rect;
  r.color = color;
  r.state = focused;
}

int RecordingDC::Escape(int code) {
  Add(Kind::Escape).flags = static_cast<UINT>(code);
  const auto it = m_escapeResults.find(code);
  return it != m_escapeResults.end() ? it->second : 0;
}
