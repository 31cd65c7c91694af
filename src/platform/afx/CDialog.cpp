#include "CDialog.h"

#include "ButtonControl.h"
#include "CDataExchange.h"
#include "CWinApp.h"
#include "Resources.h"
#include "Services.h"
#include "StandardControls.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_MESSAGE(WM_CLOSE, HandleClose)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  DestroyDialogWindow();
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd != nullptr || GetDialogTemplate() == nullptr) return -1;
  ModalDriver* driver = AfxServices().modal;
  if (driver == nullptr) return IDCANCEL;
  return driver->RunModalDialog(*this);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
  m_nModalResult = result;
  m_bEnded = true;
  if (m_onEnd) m_onEnd(result);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return dx.Failed() ? FALSE : TRUE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Only clicks are commands; an edit's change notification from a control whose id happens
  // to be a command's must not run that command.
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  return CWnd::OnCommand(wParam, lParam);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  return OnInitDialog();
}

LRESULT CDialog::HandleClose(WPARAM, LPARAM) {
  // The close box does what Cancel does.
  PressButton(IDCANCEL);
  return 0;
}

void CDialog::PressButton(int id) {
  SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED),
              reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, id)));
}

const DialogTemplate* CDialog::GetDialogTemplate() const {
  const auto& dialogs = ResourceTable::Get().dialogs;
  auto it = dialogs.find(m_nIDTemplate);
  return it == dialogs.end() ? nullptr : &it->second;
}

HWND CDialog::GetOwnerWindow() const {
  if (m_pParentWnd != nullptr) return m_pParentWnd->m_hWnd;
  CWnd* main = AfxGetMainWnd();
  return main != nullptr ? main->m_hWnd : nullptr;
}

RECT CDialog::MapDialogRect(const RECT& units) const {
  // Rounded to the nearest pixel, halves away from zero.
  auto mulDiv = [](LONG v, LONG mul, LONG div) {
    long long p = static_cast<long long>(v) * mul;
    return static_cast<LONG>(p >= 0 ? (2 * p + div) / (2 * div) : -((-2 * p + div) / (2 * div)));
  };
  auto x = [&](LONG v) { return mulDiv(v, m_baseUnits.cx, 4); };
  auto y = [&](LONG v) { return mulDiv(v, m_baseUnits.cy, 8); };
  return RECT{x(units.left), y(units.top), x(units.right), y(units.bottom)};
}

BOOL CDialog::CreateDialogWindow(SIZE baseUnits) {
  const DialogTemplate* tmpl = GetDialogTemplate();
  if (tmpl == nullptr || m_hWnd != nullptr) return FALSE;
  RegisterDialogControls();
  if (baseUnits.cx <= 0 || baseUnits.cy <= 0) {
    TEXTMETRIC tm = FontMetrics(nullptr);
    baseUnits = SIZE{tm.tmAveCharWidth, tm.tmHeight};
  }
  m_baseUnits = baseUnits;
  m_controls.clear();  // left from a window that someone else destroyed
  m_bEnded = false;
  m_nModalResult = -1;
  m_hWndFocusBefore = ::GetFocus();

  RECT client = MapDialogRect(RECT{0, 0, tmpl->width, tmpl->height});
  // A top-level window: its owner is kept apart, so the owner's child lookups never see it.
  if (::CreateWindowExA(0, "Dialog", tmpl->title, tmpl->style & ~WS_CHILD, 0, 0, client.right,
                        client.bottom, nullptr, 0, this) == nullptr)
    return FALSE;
  for (const DialogItemTemplate& item : tmpl->items) {
    RECT r = MapDialogRect(item.rect);
    HWND control = ::CreateWindowExA(
        0, item.className, item.text, item.style | WS_CHILD | WS_VISIBLE, r.left, r.top,
        r.right - r.left, r.bottom - r.top, m_hWnd, static_cast<UINT>(item.id));
    if (control != nullptr) m_controls.push_back(control);
  }
  HWND first = GetNextDlgTabItem(nullptr);
  if (SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0) != FALSE && first != nullptr &&
      !m_bEnded)
    ::SetFocus(first);
  return TRUE;
}

void CDialog::DestroyDialogWindow() {
  if (m_hWnd == nullptr) return;
  ::DestroyWindow(m_hWnd);
  m_controls.clear();
  if (IsWindow(m_hWndFocusBefore)) ::SetFocus(m_hWndFocusBefore);
  m_hWndFocusBefore = nullptr;
}

bool CDialog::IsTabStop(HWND control) const {
  DWORD style = GetWindowStyle(control);
  return (style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

HWND CDialog::GetNextDlgTabItem(HWND control, BOOL previous) const {
  const int count = static_cast<int>(m_controls.size());
  if (count == 0) return nullptr;
  int at = -1;
  for (int i = 0; i < count; ++i)
    if (m_controls[static_cast<size_t>(i)] == control) at = i;
  const int step = previous ? -1 : 1;
  if (at < 0) at = previous ? 0 : count - 1;
  for (int n = 1; n <= count; ++n) {
    HWND candidate = m_controls[static_cast<size_t>(((at + step * n) % count + count) % count)];
    if (IsTabStop(candidate)) return candidate;
  }
  return nullptr;
}

BOOL CDialog::IsDialogMessage(const MSG& msg) {
  if (m_hWnd == nullptr || msg.message != WM_KEYDOWN) return FALSE;
  HWND focus = ::GetFocus();
  switch (msg.wParam) {
    case VK_RETURN: {
      if (ButtonControl::IsPushButton(focus) && ::GetParent(focus) == m_hWnd) {
        ::SendMessage(focus, BM_CLICK, 0, 0);
        return TRUE;
      }
      for (HWND control : m_controls) {
        if (ButtonControl::IsDefaultPushButton(control)) {
          ::SendMessage(control, BM_CLICK, 0, 0);
          return TRUE;
        }
      }
      PressButton(IDOK);
      return TRUE;
    }
    case VK_ESCAPE:
      PressButton(IDCANCEL);
      return TRUE;
    case VK_TAB: {
      HWND next = GetNextDlgTabItem(focus, msg.lParam != 0 ? TRUE : FALSE);
      if (next != nullptr) ::SetFocus(next);
      return TRUE;
    }
    default:
      return FALSE;
  }
}
