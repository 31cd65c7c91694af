#include "QtDialogEdit.h"

#include <QByteArray>

#include "QtDialogEditValidator.h"
#include "platform/afx/SecureWipe.h"

QtDialogEdit::QtDialogEdit(HWND edit, QWidget* parent)
    : QLineEdit(parent),
      m_link(edit, [this] { syncFromWindow(); }),
      m_validator(new QtDialogEditValidator(edit, this)) {
  const DWORD style = GetWindowStyle(edit);
  setFrame((style & WS_BORDER) != 0);
  if ((style & ES_PASSWORD) != 0) setEchoMode(QLineEdit::Password);
  connect(this, &QLineEdit::textChanged, this,
          [this](const QString& text) { m_validator->setAccepted(text); });
  connect(this, &QLineEdit::textEdited, this, &QtDialogEdit::textEditedByUser);
  syncFromWindow();
  setValidator(m_validator);
}

QtDialogEdit::~QtDialogEdit() {
  // Best effort for a password: drop the shown text before the widget's memory goes. The
  // window's own copy is wiped by the edit control itself.
  if (echoMode() == QLineEdit::Password) {
    m_syncing = true;
    setValidator(nullptr);
    clear();
    m_validator->setAccepted(QString());
  }
}

void QtDialogEdit::syncFromWindow() {
  HWND edit = m_link.window();
  if (m_syncing || !IsWindow(edit)) return;
  m_syncing = true;
  setEnabled((GetWindowStyle(edit) & WS_DISABLED) == 0);
  const QString text =
      QString::fromUtf8(edit->text.data(), static_cast<qsizetype>(edit->text.size()));
  if (text != this->text()) {
    // Placed text bypasses the typing rules, as WM_SETTEXT does.
    setValidator(nullptr);
    setText(text);
    m_validator->setAccepted(text);
    setValidator(m_validator);
  }
  m_syncing = false;
}

void QtDialogEdit::textEditedByUser(const QString& text) {
  HWND edit = m_link.window();
  if (m_syncing || !IsWindow(edit)) return;
  m_syncing = true;
  QByteArray bytes = text.toUtf8();
  ::SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.constData()));
  SecureWipe(bytes.data(), static_cast<std::size_t>(bytes.size()));
  m_syncing = false;
}
