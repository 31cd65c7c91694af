// A device context that draws nothing and keeps every call as a record, so tests can assert
// exactly which rectangles were filled in which colours, which texts went where and which
// images were drawn. Text extents come from MeasureText(nullptr, ...), metrics from
// FontMetrics(nullptr); the clip box and the device capabilities are set by the test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "CDC.h"

class RecordingDC final : public CDC {
 public:
  enum class Kind {
    SetTextColor,
    SetBkColor,
    SetBkMode,
    SelectFont,
    SetMapMode,
    FillSolidRect,
    TextOut,
    DrawText,
    DrawFocusRect,
    DrawLine,  // rect = {from.x, from.y, to.x, to.y}
    DrawImage,
    DrawBitmap,
    DrawHeaderItem,
    DrawSelectionBackground,
    Escape,
  };

  struct Record {
    Kind kind = Kind::FillSolidRect;
    RECT rect;
    COLORREF color = 0;      // fill, line, text or background colour; DrawImage: background
    COLORREF textColor = 0;  // text colour in force (texts)
    HFONT font = nullptr;    // font in force (texts); SelectFont: the font selected
    std::string text;
    HIMAGELIST images = nullptr;
    int image = -1;
    UINT flags = 0;      // DrawText format, DrawImage style, header item format, mode values
    DWORD rop = 0;       // DrawImage raster operation
    bool state = false;  // DrawSelectionBackground: focused; DrawHeaderItem: pressed
    bool hot = false;    // DrawHeaderItem
  };

  explicit RecordingDC(RECT clip = RECT{0, 0, 1000, 1000});

  std::vector<Record> records;

  void SetClipBox(const RECT& clip) { m_clip = clip; }
  void SetDeviceCaps(int index, int value);
  // Metrics GetTextMetrics answers from now on, in place of the desktop's.
  void SetTextMetrics(const TEXTMETRIC& metrics);
  // What Escape answers for a code (otherwise 0); a printer that fails to start a page < 0.
  void SetEscapeResult(int code, int result);
  void Clear() { records.clear(); }
  // The records of one kind, in drawing order.
  std::vector<Record> Of(Kind kind) const;
  size_t Count(Kind kind) const;

  COLORREF SetTextColor(COLORREF color) override;
  COLORREF SetBkColor(COLORREF color) override;
  int SetBkMode(int mode) override;
  HFONT SelectFont(HFONT font) override;
  int SetMapMode(int mode) override;
  RECT GetClipBox() const override { return m_clip; }
  int GetDeviceCaps(int index) const override;
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const override;
  SIZE GetTextExtent(const std::string& text) const override;

  void FillSolidRect(const RECT& rect, COLORREF color) override;
  BOOL TextOut(int x, int y, const std::string& text) override;
  int DrawText(const std::string& text, RECT& rect, UINT format) override;
  void DrawFocusRect(const RECT& rect) override;
  void DrawLine(POINT from, POINT to, COLORREF color) override;
  void DrawImage(HIMAGELIST list, int index, int x, int y, int cx, int cy, COLORREF bk, COLORREF fg,
                 UINT style, DWORD rop) override;
  void DrawBitmap(const CBitmap& bitmap, int x, int y, int cx, int cy) override;
  void DrawHeaderItem(const HeaderItemPaint& item) override;
  void DrawSelectionBackground(const RECT& rect, bool focused, COLORREF color) override;
  int Escape(int code) override;

 private:
  Record& Add(Kind kind);

  RECT m_clip;
  COLORREF m_textColor = 0;
  COLORREF m_bkColor = RGB(255, 255, 255);
  int m_bkMode = OPAQUE;
  HFONT m_font = nullptr;
  int m_mapMode = MM_TEXT;
  int m_bitsPixel = 32;
  int m_vertRes = 1000;
  int m_horzRes = 1000;
  int m_logPixels = 96;
  bool m_hasTextMetrics = false;
  TEXTMETRIC m_textMetrics{};
  std::map<int, int> m_escapeResults;
};
