#include "WindowSystem.h"

#include <map>
#include <unordered_set>

#include "CWnd.h"

namespace {

struct Registry {
  std::map<std::string, ControlFactory> classes;
  std::unordered_set<HWND> windows;
  HWND focus = nullptr;
};

Registry& registry() {
  static Registry r;
  return r;
}

}  // namespace

void RegisterWindowClass(const std::string& name, ControlFactory factory) {
  registry().classes[name] = std::move(factory);
}

HWND CreateWindowExA(DWORD exStyle, const std::string& className, const std::string& name,
                     DWORD style, int x, int y, int cx, int cy, HWND parent, UINT id, CWnd* wnd,
                     void* createParams) {
  auto* hwnd = new NativeWindow;
  hwnd->className = className;
  hwnd->text = name;
  hwnd->style = style;
  hwnd->exStyle = exStyle;
  hwnd->parent = parent;
  hwnd->id = id;
  hwnd->rect = RECT{x, y, x + cx, y + cy};
  registry().windows.insert(hwnd);
  auto it = registry().classes.find(className);
  if (it != registry().classes.end()) hwnd->control = it->second(hwnd);
  if (wnd != nullptr) wnd->Attach(hwnd);

  CREATESTRUCT cs;
  cs.lpCreateParams = createParams;
  cs.hwndParent = parent;
  cs.id = id;
  cs.x = x;
  cs.y = y;
  cs.cx = cx;
  cs.cy = cy;
  cs.style = style;
  cs.name = name;
  cs.className = className;
  cs.exStyle = exStyle;
  if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  return hwnd;
}

BOOL IsWindow(HWND hwnd) {
  return hwnd != nullptr && registry().windows.count(hwnd) != 0;
}

BOOL DestroyWindow(HWND hwnd) {
  if (!IsWindow(hwnd) || hwnd->destroying) return FALSE;
  hwnd->destroying = true;
  // Children go first, as on the platform.
  for (HWND child : GetChildren(hwnd)) DestroyWindow(child);
  SendMessage(hwnd, WM_DESTROY, 0, 0);
  if (registry().focus == hwnd) registry().focus = nullptr;
  registry().windows.erase(hwnd);
  if (hwnd->wnd != nullptr) hwnd->wnd->Detach();
  delete hwnd;
  return TRUE;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(hwnd)) return 0;
  if (hwnd->wnd != nullptr) return hwnd->wnd->WindowProc(message, wParam, lParam);
  return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT CallControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(hwnd)) return 0;
  if (hwnd->control) return hwnd->control->WndProc(message, wParam, lParam);
  switch (message) {
    case WM_SETTEXT:
      hwnd->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      if (hwnd->host != nullptr) hwnd->host->TextChanged();
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(hwnd->text.size());
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lParam);
      if (buf == nullptr || wParam == 0) return 0;
      size_t n = std::min<size_t>(hwnd->text.size(), wParam - 1);
      hwnd->text.copy(buf, n);
      buf[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_SETFONT:
      hwnd->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(hwnd->font);
    case WM_NOTIFY:
    case WM_COMMAND:
      return 0;
    default:
      return 0;
  }
}

HWND GetParent(HWND hwnd) {
  return IsWindow(hwnd) ? hwnd->parent : nullptr;
}
int GetDlgCtrlID(HWND hwnd) {
  return IsWindow(hwnd) ? static_cast<int>(hwnd->id) : 0;
}

std::vector<HWND> GetChildren(HWND parent) {
  std::vector<HWND> out;
  for (HWND h : registry().windows)
    if (h->parent == parent) out.push_back(h);
  return out;
}

HWND GetDlgItem(HWND parent, int id) {
  for (HWND h : registry().windows)
    if (h->parent == parent && static_cast<int>(h->id) == id) return h;
  return nullptr;
}

DWORD GetWindowStyle(HWND hwnd) {
  return IsWindow(hwnd) ? hwnd->style : 0;
}
void SetWindowStyle(HWND hwnd, DWORD style) {
  if (!IsWindow(hwnd) || hwnd->style == style) return;
  hwnd->style = style;
  SendMessage(hwnd, WM_STYLECHANGED, 0, 0);
  if (hwnd->host != nullptr) hwnd->host->StyleChanged();
}
DWORD GetWindowExStyle(HWND hwnd) {
  return IsWindow(hwnd) ? hwnd->exStyle : 0;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  if (!IsWindow(hwnd) || rect == nullptr) return FALSE;
  *rect = RECT{0, 0, hwnd->rect.right - hwnd->rect.left, hwnd->rect.bottom - hwnd->rect.top};
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
  if (!IsWindow(hwnd)) return FALSE;
  hwnd->rect = RECT{x, y, x + cx, y + cy};
  SendMessage(hwnd, WM_SIZE, 0, MAKELPARAM(cx, cy));
  if (repaint) InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!IsWindow(hwnd)) return FALSE;
  if (hwnd->host != nullptr) {
    hwnd->host->Invalidate(rect, erase != FALSE);
  } else {
    NativeWindow::Invalidation inv{rect ? *rect : RECT{}, rect == nullptr, erase != FALSE};
    // Bounded: only the most recent requests matter to anyone reading them.
    if (hwnd->pendingInvalidations.size() >= 64)
      hwnd->pendingInvalidations.erase(hwnd->pendingInvalidations.begin());
    hwnd->pendingInvalidations.push_back(inv);
  }
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  if (hwnd->host != nullptr) hwnd->host->UpdateNow();
  return TRUE;
}

int GetScrollPos(HWND hwnd, int bar) {
  if (!IsWindow(hwnd) || bar < 0 || bar > 1) return 0;
  return hwnd->scrollPos[bar];
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL) {
  if (!IsWindow(hwnd) || bar < 0 || bar > 1) return 0;
  int old = hwnd->scrollPos[bar];
  hwnd->scrollPos[bar] = pos;
  if (old != pos && hwnd->host != nullptr) hwnd->host->ScrollBarsChanged();
  return old;
}

void SetScrollRange(HWND hwnd, int bar, int max, int page) {
  if (!IsWindow(hwnd) || bar < 0 || bar > 1) return;
  if (hwnd->scrollMax[bar] == max && hwnd->scrollPage[bar] == page) return;
  hwnd->scrollMax[bar] = max;
  hwnd->scrollPage[bar] = page;
  if (hwnd->host != nullptr) hwnd->host->ScrollBarsChanged();
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  if (!IsWindow(hwnd) || point == nullptr) return FALSE;
  if (hwnd->host != nullptr) {
    *point = hwnd->host->ClientToScreen(*point);
    return TRUE;
  }
  for (HWND h = hwnd; h != nullptr; h = h->parent) {
    point->x += h->rect.left;
    point->y += h->rect.top;
  }
  return TRUE;
}

HWND GetFocus() {
  return registry().focus;
}

HWND SetFocus(HWND hwnd) {
  HWND old = registry().focus;
  if (old == hwnd) return old;
  registry().focus = hwnd;
  if (IsWindow(old)) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (IsWindow(hwnd)) SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

void ResetWindowSystem() {
  std::vector<HWND> tops;
  for (HWND h : registry().windows)
    if (h->parent == nullptr || !IsWindow(h->parent)) tops.push_back(h);
  for (HWND h : tops) DestroyWindow(h);
  registry().focus = nullptr;
}
