// The device context on screen and on paper: CDC drawn with a QPainter, in device-independent
// pixels, with the platform style's own looks for header items, selection and focus.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <memory>

#include "platform/afx/CDC.h"

class QPaintDevice;
class QStyle;
class QWidget;

class QtDC final : public CDC {
 public:
  // Draws with a painter someone else owns (a widget's paint event). clip is the clip box in
  // the painter's current coordinates; widget gives palette and style and may be null.
  QtDC(QPainter& painter, const QRect& clip, const QWidget* widget = nullptr);
  // Opens its own painter on the device (an image, a printer); the clip box is the whole
  // device. isActive() is false when the device cannot be painted.
  explicit QtDC(QPaintDevice* device);
  QtDC(const QtDC&) = delete;
  QtDC& operator=(const QtDC&) = delete;
  ~QtDC() override;

  bool isActive() const { return m_painter->isActive(); }
  // The font a null font handle stands for (the context's own font), from now on.
  void SetBaseFont(const QFont& font);
  QPainter& painter() { return *m_painter; }

  // The real font for a font handle on top of base (null handle: base itself).
  static QFont FontFor(HFONT font, const QFont& base);
  static QColor ToQColor(COLORREF color);

  COLORREF SetTextColor(COLORREF color) override;
  COLORREF SetBkColor(COLORREF color) override;
  int SetBkMode(int mode) override;
  HFONT SelectFont(HFONT font) override;
  int SetMapMode(int mode) override;
  RECT GetClipBox() const override;
  int GetDeviceCaps(int index) const override;
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const override;
  SIZE GetTextExtent(const std::string& text) const override;

  void FillSolidRect(const RECT& rect, COLORREF color) override;
  BOOL TextOut(int x, int y, const std::string& text) override;
  int DrawText(const std::string& text, RECT& rect, UINT format) override;
  void DrawFocusRect(const RECT& rect) override;
  // Like the platform's line: the end point itself is not drawn.
  void DrawLine(POINT from, POINT to, COLORREF color) override;
  void DrawImage(HIMAGELIST list, int index, int x, int y, int cx, int cy, COLORREF bk, COLORREF fg,
                 UINT style, DWORD rop) override;
  void DrawBitmap(const CBitmap& bitmap, int x, int y, int cx, int cy) override;
  void DrawHeaderItem(const HeaderItemPaint& item) override;
  void DrawSelectionBackground(const RECT& rect, bool focused, COLORREF color) override;
  // NEWFRAME ends a printer's page (the next drawing starts a new one, so ending a page twice
  // adds no empty page); ENDDOC ends the painting. 1 done, 0 not.
  int Escape(int code) override;

 private:
  QStyle* style() const;
  QPalette palette() const;
  QFont currentFont() const;
  qreal devicePixelRatio() const;
  void FillTextBackground(const QRect& box);
  void StartPendingPage();

  std::unique_ptr<QPainter> m_ownPainter;
  QPainter* m_painter;
  QRect m_clip;
  const QWidget* m_widget;
  QFont m_baseFont;
  HFONT m_font = nullptr;
  COLORREF m_textColor = RGB(0, 0, 0);
  COLORREF m_bkColor = RGB(255, 255, 255);
  int m_bkMode = OPAQUE;
  int m_mapMode = MM_TEXT;
  bool m_pageEnded = false;
};
