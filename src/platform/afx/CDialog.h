// A dialog built from a dialog template. Its window and one child window per template item
// are platform windows, so the same dialog runs under the scripted driver in tests and on
// screen; a modal driver creates the windows, runs its loop until EndDialog, and destroys
// them again. One dialog object can be shown any number of times.
#pragma once

#include <functional>
#include <vector>

#include "CWnd.h"

class CDataExchange;
struct DialogTemplate;

class CDialog : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Shows the dialog through the modal driver: IDOK, IDCANCEL (also without a driver), or -1
  // when the template is missing or the dialog is already open.
  virtual INT_PTR DoModal();
  // Runs the data exchange that fills the controls. TRUE: the first tab stop gets the focus.
  virtual BOOL OnInitDialog();
  void EndDialog(int result);
  // FALSE when a validation failed (its message was shown and its field has the focus).
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // The dialog manager's keys: Enter presses the focused push button or else the default
  // button, Escape cancels, Tab moves to the next tab stop (lParam non-zero: the previous one,
  // as with Shift). TRUE when the message was used.
  BOOL IsDialogMessage(const MSG& msg);
  // The tab stop after (or before) a control, in creation order, wrapping round.
  HWND GetNextDlgTabItem(HWND control, BOOL previous = FALSE) const;

  // For modal drivers.
  // Creates the windows with dialog units mapped by baseUnits (average character width and
  // height of the dialog font; zero: the platform's default font), then sends WM_INITDIALOG.
  BOOL CreateDialogWindow(SIZE baseUnits = SIZE{});
  void DestroyDialogWindow();
  UINT GetTemplateId() const { return m_nIDTemplate; }
  const DialogTemplate* GetDialogTemplate() const;
  // The child windows in creation order (the template's order).
  const std::vector<HWND>& GetControlWindows() const { return m_controls; }
  HWND GetOwnerWindow() const;
  SIZE GetBaseUnits() const { return m_baseUnits; }
  bool IsModalEnded() const { return m_bEnded; }
  int GetModalResult() const { return m_nModalResult; }
  // Called by EndDialog; the on-screen driver ends its event loop with it.
  void SetModalEndHandler(std::function<void(int)> handler) { m_onEnd = std::move(handler); }
  // Dialog units to pixels with the current base units.
  RECT MapDialogRect(const RECT& units) const;

 protected:
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* pDX);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  LRESULT HandleClose(WPARAM wParam, LPARAM lParam);
  void PressButton(int id);
  bool IsTabStop(HWND control) const;

  std::vector<HWND> m_controls;
  SIZE m_baseUnits{};
  HWND m_hWndFocusBefore = nullptr;
  bool m_bEnded = false;
  int m_nModalResult = -1;
  std::function<void(int)> m_onEnd;
};
