// A device context: every drawing of the program goes through it. On screen it paints with
// Qt; in tests a recording context keeps what was drawn; for print-outs it is the printer's.
#pragma once

#include <string>

#include "platform/win/win.h"

class CBitmap;

// How a header item should look; the context draws it in the platform's own style.
struct HeaderItemPaint {
  RECT rect;
  std::string text;
  int fmt = 0;  // HDF_* justification, sort and image flags
  HIMAGELIST images = nullptr;
  int image = -1;  // image index with HDF_IMAGE
  bool pressed = false;
  bool hot = false;
};

class CDC {
 public:
  virtual ~CDC() = default;

  // State.
  virtual COLORREF SetTextColor(COLORREF color) = 0;
  virtual COLORREF SetBkColor(COLORREF color) = 0;
  virtual int SetBkMode(int mode) = 0;
  virtual HFONT SelectFont(HFONT font) = 0;
  virtual int SetMapMode(int mode) = 0;
  virtual RECT GetClipBox() const = 0;
  virtual int GetDeviceCaps(int index) const = 0;
  virtual BOOL GetTextMetrics(TEXTMETRIC* metrics) const = 0;
  virtual SIZE GetTextExtent(const std::string& text) const = 0;

  // Drawing.
  // Fills with a solid brush of the colour (PATCOPY).
  virtual void FillSolidRect(const RECT& rect, COLORREF color) = 0;
  virtual BOOL TextOut(int x, int y, const std::string& text) = 0;
  virtual int DrawText(const std::string& text, RECT& rect, UINT format) = 0;
  virtual void DrawFocusRect(const RECT& rect) = 0;
  virtual void DrawLine(POINT from, POINT to, COLORREF color) = 0;
  // Draws image index of the list at x, y clipped to cx, cy.
  virtual void DrawImage(HIMAGELIST list, int index, int x, int y, int cx, int cy, COLORREF bk,
                         COLORREF fg, UINT style, DWORD rop) = 0;
  // DrawState with DST_BITMAP.
  virtual void DrawBitmap(const CBitmap& bitmap, int x, int y, int cx, int cy) = 0;
  // Platform looks: header items, selected-row background.
  virtual void DrawHeaderItem(const HeaderItemPaint& item) = 0;
  virtual void DrawSelectionBackground(const RECT& rect, bool focused, COLORREF color) {
    (void)focused;
    FillSolidRect(rect, color);
  }

  // Printing (a printer context answers these; others ignore them).
  virtual int Escape(int code) {
    (void)code;
    return 0;
  }
};
