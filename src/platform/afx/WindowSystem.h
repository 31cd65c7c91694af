// The window system: window records, window classes, message sending, focus and invalidation.
// Windows are plain objects; the Qt backend attaches a host to the ones it shows on screen.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/win.h"

class CWnd;

// The procedure of a window class (a control's own behaviour): what default processing reaches.
class WindowControl {
 public:
  virtual ~WindowControl() = default;
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// What a window on screen offers the platform; implemented by the Qt backend.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual void Invalidate(const RECT* rect, bool erase) = 0;
  virtual void UpdateNow() {}
  virtual void StyleChanged() {}
  virtual void TextChanged() {}
  virtual void CursorChanged(HCURSOR) {}
  virtual void ScrollBarsChanged() {}
  virtual POINT ClientToScreen(POINT p) { return p; }
};

struct NativeWindow {
  std::string className;
  std::string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;
  UINT id = 0;
  RECT rect;  // position in the parent's client area; its size is the client size
  HFONT font = nullptr;
  int scrollPos[2] = {0, 0};  // SB_HORZ, SB_VERT
  int scrollMax[2] = {0, 0};  // range 0..max, page size below; the host shows the bars
  int scrollPage[2] = {0, 0};
  CWnd* wnd = nullptr;  // framework object that subclasses the window, if any
  std::unique_ptr<WindowControl> control;
  WindowHost* host = nullptr;
  // Invalidations asked while no host paints the window (kept for inspection by tests).
  struct Invalidation {
    RECT rect;
    bool whole;
    bool erase;
  };
  std::vector<Invalidation> pendingInvalidations;
  bool destroying = false;
};

using ControlFactory = std::function<std::unique_ptr<WindowControl>(HWND)>;

// Registers the procedure of a window class ("SysListView32", "SysHeader32", "Edit", ...).
void RegisterWindowClass(const std::string& name, ControlFactory factory);

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HWND hwndParent = nullptr;
  UINT id = 0;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  DWORD style = 0;
  std::string name;
  std::string className;
  DWORD exStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// Creates a window; wnd (may be null) subclasses it before WM_CREATE is sent.
HWND CreateWindowExA(DWORD exStyle, const std::string& className, const std::string& name,
                     DWORD style, int x, int y, int cx, int cy, HWND parent, UINT id,
                     CWnd* wnd = nullptr, void* createParams = nullptr);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The window class's own procedure, bypassing any framework object.
LRESULT CallControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

HWND GetParent(HWND hwnd);
int GetDlgCtrlID(HWND hwnd);
HWND GetDlgItem(HWND parent, int id);
std::vector<HWND> GetChildren(HWND parent);
DWORD GetWindowStyle(HWND hwnd);
void SetWindowStyle(HWND hwnd, DWORD style);
DWORD GetWindowExStyle(HWND hwnd);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint = TRUE);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
int GetScrollPos(HWND hwnd, int bar);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw = TRUE);
// Sets the scroll range 0..max with the page size; the host updates its scroll bar.
void SetScrollRange(HWND hwnd, int bar, int max, int page);
BOOL ClientToScreen(HWND hwnd, POINT* point);

// Keyboard focus: SetFocus sends WM_KILLFOCUS to the old window and WM_SETFOCUS to the new one.
HWND GetFocus();
HWND SetFocus(HWND hwnd);

// Forget every window (between tests).
void ResetWindowSystem();
