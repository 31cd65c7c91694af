#include "CWnd.h"

#include <vector>

#include "CFrameWnd.h"
#include "Services.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
  if (m_hWnd != nullptr) {
    HWND h = m_hWnd;
    ::DestroyWindow(h);
    m_hWnd = nullptr;
  }
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) {
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, const std::string& className, const std::string& name,
                    DWORD style, const RECT& rect, CWnd* parent, UINT id, void* createParams) {
  CREATESTRUCT cs;
  cs.exStyle = exStyle;
  cs.className = className;
  cs.name = name;
  cs.style = style;
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  cs.hwndParent = parent != nullptr ? parent->m_hWnd : nullptr;
  cs.id = id;
  cs.lpCreateParams = createParams;
  if (!PreCreateWindow(cs)) return FALSE;
  HWND h = ::CreateWindowExA(cs.exStyle, cs.className, cs.name, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                             cs.hwndParent, cs.id, this, cs.lpCreateParams);
  return h != nullptr ? TRUE : FALSE;
}

BOOL CWnd::Create(const std::string& className, const std::string& name, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id) {
  return CreateEx(0, className, name, style, rect, parent, id);
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::Attach(HWND hwnd) {
  m_hWnd = hwnd;
  if (hwnd != nullptr) hwnd->wnd = this;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h != nullptr && IsWindow(h) && h->wnd == this) h->wnd = nullptr;
  m_hWnd = nullptr;
  PostNcDestroy();
  return h;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  return IsWindow(hwnd) ? hwnd->wnd : nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (OnCommand(wParam, lParam)) {
      *result = 1;
      return true;
    }
    return false;
  }
  if (message == WM_NOTIFY) {
    LRESULT r = 0;
    if (OnNotify(wParam, lParam, &r)) {
      *result = r;
      return true;
    }
    return false;
  }
  if (message == WM_DRAWITEM) {
    // Owner draw goes back to the control's own object.
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (dis != nullptr && IsWindow(dis->hwndItem) && dis->hwndItem->wnd != nullptr) {
      dis->hwndItem->wnd->DrawItem(dis);
      *result = TRUE;
      return true;
    }
  }
  const MsgMapEntry* e = FindEntry(MsgKind::Message, message, 0, 0);
  if (e == nullptr) return false;
  MsgArgs args;
  args.message = message;
  args.wParam = wParam;
  args.lParam = lParam;
  if (!e->fn(this, args)) return false;
  *result = args.result;
  return true;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  // A control's notification goes to the control first (reflection), then to this window.
  if (control != nullptr && IsWindow(control) && control->wnd != nullptr) {
    LRESULT r = 0;
    if (control->wnd->OnChildNotify(WM_COMMAND, wParam, lParam, &r)) return TRUE;
  }
  return OnCmdMsg(id, CN_COMMAND, nullptr) ? TRUE : FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
  if (nmhdr == nullptr) return FALSE;
  HWND from = nmhdr->hwndFrom;
  if (from != nullptr && IsWindow(from) && from->wnd != nullptr && from != m_hWnd) {
    if (from->wnd->OnChildNotify(WM_NOTIFY, 0, lParam, result)) return TRUE;
  }
  const MsgMapEntry* e =
      FindEntry(MsgKind::Notify, 0, nmhdr->code, static_cast<UINT>(nmhdr->idFrom));
  if (e == nullptr) return FALSE;
  MsgArgs args;
  args.message = WM_NOTIFY;
  args.lParam = lParam;
  bool handled = e->fn(this, args);
  *result = args.result;
  return handled ? TRUE : FALSE;
}

bool CWnd::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
  const MsgMapEntry* e = FindEntry(MsgKind::NotifyReflect, 0, nmhdr->code, 0);
  if (e == nullptr) return false;
  MsgArgs args;
  args.message = WM_NOTIFY;
  args.lParam = lParam;
  bool handled = e->fn(this, args);
  *result = args.result;
  return handled;
}

CWnd* CWnd::GetParent() const {
  return FromHandle(::GetParent(m_hWnd));
}
DWORD CWnd::GetStyle() const {
  return GetWindowStyle(m_hWnd);
}
DWORD CWnd::GetExStyle() const {
  return GetWindowExStyle(m_hWnd);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
  if (m_hWnd == nullptr) return FALSE;
  DWORD old = GetStyle();
  DWORD style = (old & ~remove) | add;
  if (style == old) return FALSE;
  SetWindowStyle(m_hWnd, style);
  return TRUE;
}

void CWnd::SetWindowText(const std::string& text) {
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CWnd::GetWindowText() const {
  if (!IsWindow(m_hWnd)) return {};
  auto n = ::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
  std::vector<char> buf(static_cast<size_t>(n) + 1, '\0');
  ::SendMessage(m_hWnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  return std::string(buf.data());
}

void CWnd::GetClientRect(RECT* rect) const {
  ::GetClientRect(m_hWnd, rect);
}
void CWnd::Invalidate(BOOL erase) {
  ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::InvalidateRect(const RECT* rect, BOOL erase) {
  ::InvalidateRect(m_hWnd, rect, erase);
}
void CWnd::UpdateWindow() {
  ::UpdateWindow(m_hWnd);
}

BOOL CWnd::ShowWindow(int cmd) {
  if (!IsWindow(m_hWnd)) return FALSE;
  BOOL was = (GetStyle() & WS_VISIBLE) != 0;
  DWORD style = GetStyle();
  SetWindowStyle(m_hWnd, cmd == SW_HIDE ? (style & ~WS_VISIBLE) : (style | WS_VISIBLE));
  return was;
}

BOOL CWnd::IsWindowVisible() const {
  return (GetStyle() & WS_VISIBLE) != 0;
}
int CWnd::GetDlgCtrlID() const {
  return ::GetDlgCtrlID(m_hWnd);
}
CWnd* CWnd::GetDlgItem(int id) const {
  return FromHandle(::GetDlgItem(m_hWnd, id));
}
int CWnd::GetScrollPos(int bar) const {
  return ::GetScrollPos(m_hWnd, bar);
}

CWnd* CWnd::SetFocus() {
  return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus() {
  return FromHandle(::GetFocus());
}
void CWnd::ClientToScreen(POINT* point) const {
  ::ClientToScreen(m_hWnd, point);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*) {
  return ::SetTimer(m_hWnd, id, elapseMs);
}
BOOL CWnd::KillTimer(UINT_PTR id) {
  return ::KillTimer(m_hWnd, id);
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT type) {
  if (AfxServices().modal == nullptr) return IDOK;
  return AfxServices().modal->MessageBox(m_hWnd, text, caption, type);
}

CFrameWnd* CWnd::GetParentFrame() const {
  for (CWnd* w = GetParent(); w != nullptr; w = w->GetParent())
    if (w->IsFrameWnd()) return static_cast<CFrameWnd*>(w);
  return nullptr;
}
