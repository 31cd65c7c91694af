#include "Services.h"

PlatformServices& AfxServices() {
  static PlatformServices services;
  return services;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
  if (AfxServices().timers == nullptr) return 0;
  AfxServices().timers->SetTimer(hwnd, id, elapseMs);
  return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  if (AfxServices().timers == nullptr) return FALSE;
  AfxServices().timers->KillTimer(hwnd, id);
  return TRUE;
}

void Sleep(UINT ms) {
  if (AfxServices().timers != nullptr) AfxServices().timers->Sleep(ms);
}

COLORREF GetSysColor(int index) {
  if (AfxServices().desktop != nullptr) return AfxServices().desktop->GetSysColor(index);
  return DefaultSysColor(index);
}

COLORREF DefaultSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW:
    case COLOR_HIGHLIGHTTEXT:
      return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT:
      return RGB(0, 120, 215);
    case COLOR_BTNFACE:
      return RGB(240, 240, 240);
    case COLOR_GRAYTEXT:
      return RGB(109, 109, 109);
    case COLOR_HOTLIGHT:
      return RGB(0, 102, 204);
    default:
      return RGB(0, 0, 0);
  }
}

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  *point = AfxServices().desktop != nullptr ? AfxServices().desktop->GetCursorPos() : POINT{};
  return TRUE;
}

SIZE MeasureText(HFONT font, const std::string& text) {
  if (AfxServices().desktop != nullptr) return AfxServices().desktop->MeasureText(font, text);
  return DefaultMeasureText(text);
}

SIZE DefaultMeasureText(const std::string& text) {
  return SIZE{static_cast<LONG>(7 * text.size()), 16};
}

TEXTMETRIC FontMetrics(HFONT font) {
  if (AfxServices().desktop != nullptr) return AfxServices().desktop->FontMetrics(font);
  return DefaultFontMetrics();
}

TEXTMETRIC DefaultFontMetrics() {
  TEXTMETRIC tm;
  tm.tmHeight = 16;
  tm.tmAscent = 13;
  tm.tmDescent = 3;
  tm.tmAveCharWidth = 7;
  tm.tmMaxCharWidth = 14;
  return tm;
}
