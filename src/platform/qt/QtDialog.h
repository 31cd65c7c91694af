// A dialog on screen: a QDialog that shows a CDialog's platform windows as widgets at their
// pixel positions. The platform windows stay the truth: widgets write the user's changes to
// them and follow their changes back; clicks, Enter and Escape go to the dialog's own
// handlers, which end it with EndDialog. Tab order is the creation order of the controls.
#pragma once

#include <QDialog>
#include <QFont>
#include <map>
#include <memory>
#include <vector>

#include "platform/win/win.h"

class CDialog;
class QtDialogLink;

class QtDialog final : public QDialog {
  Q_OBJECT

 public:
  QtDialog(CDialog& dialog, const QFont& font, QWidget* parent);
  ~QtDialog() override;

  // The widget showing the control with this id (the first one with it), or null.
  QWidget* widgetFor(int id) const;
  // The widget that takes the keyboard for a control window.
  QWidget* focusWidgetFor(HWND control) const;
  // Ends the Qt side once the dialog has ended.
  void finish(int result) { QDialog::done(result); }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void reject() override;

 private:
  QWidget* makeWidget(HWND control);
  HWND controlOf(QWidget* widget) const;
  void focusChanged(QWidget* now);
  void syncFocusFromWindows();
  // Sends something to the dialog's windows, then shows where the focus went.
  template <typename F>
  void dispatch(F&& f);

  CDialog& m_dialog;
  std::vector<std::pair<HWND, QWidget*>> m_widgets;  // creation order
  std::vector<std::unique_ptr<QtDialogLink>> m_links;
  bool m_syncingFocus = false;
};
