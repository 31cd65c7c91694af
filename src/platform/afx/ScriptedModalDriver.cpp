#include "ScriptedModalDriver.h"

#include "StandardControls.h"

std::string ScriptedModalDriver::Prompt::ControlText(int id) const {
  for (const ShownControl& c : controls)
    if (c.id == id) return c.text;
  return {};
}

void ScriptedModalDriver::AnswerMessageBox(int answer) {
  m_steps.push_back(Step{Prompt::Kind::MessageBox, answer, 0, nullptr});
}

void ScriptedModalDriver::ExpectDialog(UINT templateId, DialogStep step) {
  m_steps.push_back(Step{Prompt::Kind::Dialog, 0, templateId, std::move(step)});
}

int ScriptedModalDriver::MessageBox(HWND, const std::string& text, const std::string& caption,
                                    UINT type) {
  Prompt shown;
  shown.kind = Prompt::Kind::MessageBox;
  shown.text = text;
  shown.caption = caption;
  shown.type = type;
  if (m_steps.empty() || m_steps.front().kind != Prompt::Kind::MessageBox) {
    Error("unscripted message box \"" + text + "\"");
    shown.result = IDCANCEL;
  } else {
    shown.result = m_steps.front().answer;
    m_steps.pop_front();
  }
  m_prompts.push_back(shown);
  return static_cast<int>(shown.result);
}

INT_PTR ScriptedModalDriver::RunModalDialog(CDialog& dialog) {
  Prompt shown;
  shown.kind = Prompt::Kind::Dialog;
  shown.templateId = dialog.GetTemplateId();
  if (m_steps.empty() || m_steps.front().kind != Prompt::Kind::Dialog ||
      m_steps.front().templateId != shown.templateId) {
    Error("unscripted dialog " + std::to_string(shown.templateId));
    shown.result = IDCANCEL;
    m_prompts.push_back(shown);
    return IDCANCEL;
  }
  DialogStep step = std::move(m_steps.front().run);
  m_steps.pop_front();
  if (!dialog.CreateDialogWindow()) {
    Error("dialog " + std::to_string(shown.templateId) + " could not be created");
    shown.result = -1;
    m_prompts.push_back(shown);
    return -1;
  }
  shown.controls = Snapshot(dialog);
  const std::size_t index = m_prompts.size();
  m_prompts.push_back(shown);
  if (!dialog.IsModalEnded() && step) step(dialog);
  step = nullptr;  // whatever the step captured goes now
  if (!dialog.IsModalEnded()) {
    Error("dialog " + std::to_string(shown.templateId) + " was left open by its step");
    dialog.EndDialog(IDCANCEL);
  }
  const int result = dialog.GetModalResult();
  dialog.DestroyDialogWindow();
  m_prompts[index].result = result;
  return result;
}

std::vector<ScriptedModalDriver::ShownControl> ScriptedModalDriver::Snapshot(
    const CDialog& dialog) const {
  std::vector<ShownControl> out;
  for (HWND control : dialog.GetControlWindows()) {
    ShownControl c;
    c.id = GetDlgCtrlID(control);
    c.className = control->className;
    bool masked = control->className == "Edit" && (GetWindowStyle(control) & ES_PASSWORD) != 0;
    c.text = masked ? std::string(utf8::CharCount(control->text), '*') : control->text;
    out.push_back(std::move(c));
  }
  return out;
}

void ScriptedModalDriver::Error(const std::string& what) {
  m_errors.push_back(what);
}

void ScriptedModalDriver::FocusForInput(CDialog&, HWND control) {
  if (GetFocus() == control) return;
  SetFocus(control);
  if (control->className == "Edit") ::SendMessage(control, EM_SETSEL, static_cast<WPARAM>(-1), 0);
}

void ScriptedModalDriver::SetText(CDialog& dialog, int id, const std::string& text) {
  ::SendMessage(::GetDlgItem(dialog.m_hWnd, id), WM_SETTEXT, 0,
                reinterpret_cast<LPARAM>(text.c_str()));
}

void ScriptedModalDriver::Type(CDialog& dialog, int id, const std::string& text) {
  HWND control = ::GetDlgItem(dialog.m_hWnd, id);
  if (control == nullptr) return;
  FocusForInput(dialog, control);
  for (std::size_t i = 0; i < text.size();) {
    // Decode one UTF-8 character; a stray byte goes as it is.
    auto lead = static_cast<unsigned char>(text[i]);
    std::size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + len > text.size()) len = 1;
    unsigned cp = len == 1 ? lead : (lead & (0xFFu >> (len + 1)));
    for (std::size_t k = 1; k < len; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    ::SendMessage(control, WM_CHAR, cp, 0);
    i += len;
  }
}

void ScriptedModalDriver::Paste(CDialog& dialog, int id, const std::string& text) {
  HWND control = ::GetDlgItem(dialog.m_hWnd, id);
  if (control == nullptr) return;
  FocusForInput(dialog, control);
  ::SendMessage(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void ScriptedModalDriver::PressKey(CDialog& dialog, UINT vk) {
  MSG msg;
  msg.hwnd = GetFocus();
  msg.message = WM_KEYDOWN;
  msg.wParam = vk;
  if (!dialog.IsDialogMessage(msg) && msg.hwnd != nullptr)
    ::SendMessage(msg.hwnd, WM_KEYDOWN, vk, 0);
}

void ScriptedModalDriver::Click(CDialog& dialog, int id) {
  ::SendMessage(::GetDlgItem(dialog.m_hWnd, id), BM_CLICK, 0, 0);
}

std::string ScriptedModalDriver::Text(const CDialog& dialog, int id) {
  HWND control = ::GetDlgItem(dialog.m_hWnd, id);
  return control != nullptr ? control->text : std::string();
}
