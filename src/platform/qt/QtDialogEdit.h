// The on-screen face of a dialog's edit control. The platform window holds the text; this
// line edit shows it (masked for ES_PASSWORD), lets the user change it under the control's
// rules (QtDialogEditValidator) and writes every change back to the window.
#pragma once

#include <QLineEdit>
#include <memory>

#include "QtDialogLink.h"

class QtDialogEditValidator;

class QtDialogEdit final : public QLineEdit {
  Q_OBJECT

 public:
  QtDialogEdit(HWND edit, QWidget* parent);
  ~QtDialogEdit() override;

  HWND window() const { return m_link.window(); }
  // Takes the window's text and state as they are (placed text is neither cut nor converted).
  void syncFromWindow();

 private:
  void textEditedByUser(const QString& text);

  QtDialogLink m_link;
  QtDialogEditValidator* m_validator;
  bool m_syncing = false;
};
