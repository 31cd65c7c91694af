// Keeps a line edit to its edit control's rules while the user types, pastes or composes:
// the text may grow only up to the control's limit in bytes of UTF-8, inserted text is cut
// before a character that would not fit (never inside one), and with ES_UPPERCASE the
// inserted letters become capitals. Text that was there before is never changed, so text
// placed over the limit stays until the user deletes some.
#pragma once

#include <QString>
#include <QValidator>

#include "platform/win/win.h"

class QtDialogEditValidator final : public QValidator {
  Q_OBJECT

 public:
  QtDialogEditValidator(HWND edit, QObject* parent);

  State validate(QString& input, int& pos) const override;
  // The text the field holds now; what the next change is compared with.
  void setAccepted(const QString& text) { m_accepted = text; }

  static int Utf8Length(const QString& text);

 private:
  HWND m_edit;
  QString m_accepted;
};
