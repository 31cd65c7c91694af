// The application shell on the platform's test doubles: manual clock, in-memory network,
// scripted message boxes and dialogs, a desktop that records pop-up menus, and a toolbar
// device context that records what is drawn onto the toolbar.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CTarvexApp.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/ManualClock.h"
#include "platform/afx/MemoryNetwork.h"
#include "platform/afx/ScriptedModalDriver.h"
#include "platform/afx/Services.h"
#include "res/ProgramResources.h"

namespace apptest {

// Records the items of each pop-up menu as it opens and answers with a scripted choice.
class MenuRecordingDesktop final : public DesktopService {
 public:
  struct ShownItem {
    UINT id;
    std::string text;
    UINT flags;
  };
  std::vector<std::vector<ShownItem>> shown;
  UINT choice = 0;
  UINT hover = 0;  // an item the pointer rests on while the menu is open
  std::function<void()> whileOpen;

  UINT TrackPopupMenu(CMenu& menu, UINT, POINT, CWnd* owner) override {
    if (hover != 0 && owner != nullptr) owner->SendMessage(WM_MENUSELECT, MAKEWPARAM(hover, 0), 1);
    if (whileOpen) whileOpen();
    std::vector<ShownItem> items;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i)
      items.push_back(ShownItem{menu.GetMenuItemID(static_cast<int>(i)),
                                menu.GetMenuString(static_cast<int>(i)),
                                menu.GetMenuState(i, MF_BYPOSITION)});
    shown.push_back(items);
    return choice;
  }
  POINT GetCursorPos() override { return POINT{40, 50}; }
  COLORREF GetSysColor(int) override { return RGB(255, 255, 255); }
  int BitsPerPixel(HWND) override { return 32; }
  HCURSOR LoadSystemCursor(int) override { return nullptr; }
  void SetCursor(HCURSOR) override {}
  SIZE MeasureText(HFONT, const std::string& text) override {
    return SIZE{static_cast<LONG>(7 * text.size()), 16};
  }
  TEXTMETRIC FontMetrics(HFONT) override {
    TEXTMETRIC tm;
    tm.tmHeight = 16;
    tm.tmAveCharWidth = 7;
    return tm;
  }
};

// A device context that keeps the bitmaps drawn into it.
class BitmapRecordingDC final : public CDC {
 public:
  struct Drawn {
    const ImageResource* image;
    RECT rect;
  };
  std::vector<Drawn> bitmaps;

  COLORREF SetTextColor(COLORREF) override { return 0; }
  COLORREF SetBkColor(COLORREF) override { return 0; }
  int SetBkMode(int) override { return 0; }
  HFONT SelectFont(HFONT) override { return nullptr; }
  int SetMapMode(int) override { return MM_TEXT; }
  RECT GetClipBox() const override { return RECT{0, 0, 800, 40}; }
  int GetDeviceCaps(int) const override { return 0; }
  BOOL GetTextMetrics(TEXTMETRIC*) const override { return FALSE; }
  SIZE GetTextExtent(const std::string&) const override { return SIZE{}; }
  void FillSolidRect(const RECT&, COLORREF) override {}
  BOOL TextOut(int, int, const std::string&) override { return TRUE; }
  int DrawText(const std::string&, RECT&, UINT) override { return 0; }
  void DrawFocusRect(const RECT&) override {}
  void DrawLine(POINT, POINT, COLORREF) override {}
  void DrawImage(HIMAGELIST, int, int, int, int, int, COLORREF, COLORREF, UINT, DWORD) override {}
  void DrawBitmap(const CBitmap& bitmap, int x, int y, int cx, int cy) override {
    bitmaps.push_back(Drawn{bitmap.Image().get(), RECT{x, y, x + cx, y + cy}});
  }
  void DrawHeaderItem(const HeaderItemPaint&) override {}
};

// Lends the recording context as the toolbar's and counts how often it was taken back.
class ToolbarScreen final : public CToolBar::Observer {
 public:
  BitmapRecordingDC dc;
  int taken = 0;
  int released = 0;
  int buttonChanges = 0;
  void ButtonsChanged(CToolBar&) override { ++buttonChanges; }
  CDC* GetDC(CToolBar&) override {
    ++taken;
    return &dc;
  }
  void ReleaseDC(CToolBar&, CDC*) override { ++released; }
};

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProgramResources();
    AfxServices() = PlatformServices{};
    AfxServices().timers = &clock;
    AfxServices().network = &network;
    AfxServices().modal = &modal;
    AfxServices().desktop = &desktop;
  }
  void TearDown() override {
    app.reset();
    ResetWindowSystem();
    AfxServices() = PlatformServices{};
    RegisterProgramResources();
  }

  BOOL Start() {
    app = std::make_unique<CTarvexApp>();
    return app->InitInstance();
  }
  CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }
  CStatusBar& StatusBar() const { return Frame()->m_wndStatusBar; }
  void Command(UINT id) const { Frame()->SendMessage(WM_COMMAND, id, 0); }

  ManualClock clock;
  MemoryNetwork network;
  ScriptedModalDriver modal;
  MenuRecordingDesktop desktop;
  std::unique_ptr<CTarvexApp> app;
};

}  // namespace apptest
