// Desktop services on Qt: pop-up menus, the pointer, system colours from the palette, the
// screen's colour depth, cursors and text measuring with the application font.
#pragma once

#include "platform/afx/Services.h"

class QtDesktopService final : public DesktopService {
 public:
  UINT TrackPopupMenu(CMenu& menu, UINT flags, POINT screenPoint, CWnd* owner) override;
  POINT GetCursorPos() override;
  COLORREF GetSysColor(int index) override;
  int BitsPerPixel(HWND hwnd) override;
  HCURSOR LoadSystemCursor(int id) override;
  // Shows the cursor over the widget under the pointer.
  void SetCursor(HCURSOR cursor) override;
  SIZE MeasureText(HFONT font, const std::string& text) override;
  TEXTMETRIC FontMetrics(HFONT font) override;
};
