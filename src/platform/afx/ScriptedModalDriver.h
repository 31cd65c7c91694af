// The modal driver of unit tests. A test scripts, in order, the answers to the message boxes
// and the dialogs its code will show; the driver answers them in that order and records what
// was shown. A dialog step gets the open dialog (controls created, OnInitDialog run) and acts
// as a user would through the static helpers below; it may also run anything else meanwhile
// (advancing a ManualClock fires timers, as the real nested loop does). A prompt that the
// script did not foresee is answered IDCANCEL and recorded in Errors().
//
// Nothing typed is kept: a step's captures go when the step has run, and the texts recorded
// for a dialog are those it opened with, masked for password fields.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "CDialog.h"
#include "Services.h"

class ScriptedModalDriver final : public ModalDriver {
 public:
  using DialogStep = std::function<void(CDialog&)>;

  struct ShownControl {
    int id = 0;
    std::string className;
    std::string text;
  };
  struct Prompt {
    enum class Kind { MessageBox, Dialog };
    Kind kind = Kind::MessageBox;
    std::string text;  // message box
    std::string caption;
    UINT type = 0;
    UINT templateId = 0;  // dialog, with its controls as it opened
    std::vector<ShownControl> controls;
    INT_PTR result = 0;
    // The text a control of the dialog had when it opened; empty when there is no such id.
    std::string ControlText(int id) const;
  };

  void AnswerMessageBox(int answer = IDOK);
  void ExpectDialog(UINT templateId, DialogStep step);

  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override;
  INT_PTR RunModalDialog(CDialog& dialog) override;

  const std::vector<Prompt>& Prompts() const { return m_prompts; }
  const std::vector<std::string>& Errors() const { return m_errors; }
  std::size_t PendingSteps() const { return m_steps.size(); }

  // What a user does in an open dialog.
  // Places text as the program would (WM_SETTEXT): no limit, no case conversion.
  static void SetText(CDialog& dialog, int id, const std::string& text);
  // Clicks into the control (caret at the end of an edit, the first field of an IP address
  // control) unless it has the focus already, then types each character of the UTF-8 text.
  static void Type(CDialog& dialog, int id, const std::string& text);
  // As Type, but the text arrives at once, as pasting does.
  static void Paste(CDialog& dialog, int id, const std::string& text);
  // A key for the dialog manager (Enter, Escape, Tab), else for the focused control.
  static void PressKey(CDialog& dialog, UINT vk);
  static void Click(CDialog& dialog, int id);
  static std::string Text(const CDialog& dialog, int id);

 private:
  struct Step {
    Prompt::Kind kind;
    int answer;
    UINT templateId;
    DialogStep run;
  };
  static void FocusForInput(CDialog& dialog, HWND control);
  std::vector<ShownControl> Snapshot(const CDialog& dialog) const;
  void Error(const std::string& what);

  std::deque<Step> m_steps;
  std::vector<Prompt> m_prompts;
  std::vector<std::string> m_errors;
};
