#include "QtDialogIpAddress.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include "QtDialogIpFieldValidator.h"

QtDialogIpAddress::QtDialogIpAddress(HWND control, QWidget* parent)
    : QFrame(parent), m_link(control, [this] { syncFromWindow(); }) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  auto* validator = new QtDialogIpFieldValidator(this);
  for (size_t i = 0; i < m_fields.size(); ++i) {
    auto* field = new QLineEdit(this);
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setValidator(validator);
    field->setFocusPolicy(Qt::StrongFocus);
    field->installEventFilter(this);
    const int index = static_cast<int>(i);
    connect(field, &QLineEdit::textEdited, this, [this, index] { fieldEdited(index); });
    m_fields[i] = field;
    if (i + 1 < m_fields.size()) {
      auto* dot = new QLabel(QStringLiteral("."), this);
      dot->setAlignment(Qt::AlignCenter);
      m_dots[i] = dot;
    }
  }
  setFocusProxy(m_fields[0]);
  syncFromWindow();
}

void QtDialogIpAddress::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  const QRect area = contentsRect();
  const int dotWidth = fontMetrics().horizontalAdvance(QLatin1Char('.')) + 2;
  const int fieldWidth = (area.width() - 3 * dotWidth) / 4;
  int x = area.left();
  for (size_t i = 0; i < m_fields.size(); ++i) {
    m_fields[i]->setGeometry(x, area.top(), fieldWidth, area.height());
    x += fieldWidth;
    if (i < m_dots.size()) {
      m_dots[i]->setGeometry(x, area.top(), dotWidth, area.height());
      x += dotWidth;
    }
  }
}

void QtDialogIpAddress::syncFromWindow() {
  HWND control = m_link.window();
  if (m_syncing || !IsWindow(control)) return;
  m_syncing = true;
  setEnabled((GetWindowStyle(control) & WS_DISABLED) == 0);
  const QStringList parts = QString::fromUtf8(control->text.c_str()).split(QLatin1Char('.'));
  for (size_t i = 0; i < m_fields.size(); ++i) {
    const QString part =
        static_cast<qsizetype>(i) < parts.size() ? parts.at(static_cast<qsizetype>(i)) : QString();
    if (m_fields[i]->text() != part) m_fields[i]->setText(part);
  }
  m_syncing = false;
}

void QtDialogIpAddress::fieldEdited(int index) {
  HWND control = m_link.window();
  if (m_syncing || !IsWindow(control)) return;
  m_justAdvanced = false;
  QStringList parts;
  for (QLineEdit* field : m_fields) parts << field->text();
  const QByteArray text = parts.join(QLatin1Char('.')).toUtf8();
  m_syncing = true;
  ::SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.constData()));
  m_syncing = false;
  QLineEdit* field = m_fields.at(static_cast<size_t>(index));
  if (field->text().size() == 3 && field->cursorPosition() == 3 && index + 1 < 4) {
    enterField(index + 1, false);
    m_justAdvanced = true;
  }
}

void QtDialogIpAddress::enterField(int index, bool atEnd) {
  QLineEdit* field = m_fields.at(static_cast<size_t>(index));
  field->setFocus(Qt::OtherFocusReason);
  if (atEnd)
    field->end(false);
  else
    field->selectAll();
}

int QtDialogIpAddress::indexOf(QObject* field) const {
  for (size_t i = 0; i < m_fields.size(); ++i)
    if (m_fields[i] == field) return static_cast<int>(i);
  return -1;
}

bool QtDialogIpAddress::eventFilter(QObject* watched, QEvent* event) {
  const int index = indexOf(watched);
  if (index < 0 || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  QLineEdit* field = m_fields.at(static_cast<size_t>(index));
  const bool advanced = m_justAdvanced;
  m_justAdvanced = false;
  if (key->text() == QLatin1String(".") || key->text() == QLatin1String(" ")) {
    // A dot right after moving on by itself is the one the user meant for that move.
    if (!advanced && !field->text().isEmpty() && index + 1 < 4) enterField(index + 1, false);
    return true;
  }
  const bool noSelection = !field->hasSelectedText();
  if (key->key() == Qt::Key_Backspace && noSelection && field->cursorPosition() == 0 && index > 0) {
    enterField(index - 1, true);
    m_fields.at(static_cast<size_t>(index - 1))->backspace();  // an edit: written back
    return true;
  }
  if (key->key() == Qt::Key_Left && noSelection && field->cursorPosition() == 0 && index > 0) {
    enterField(index - 1, true);
    return true;
  }
  if (key->key() == Qt::Key_Right && noSelection &&
      field->cursorPosition() == field->text().size() && index + 1 < 4) {
    m_fields.at(static_cast<size_t>(index + 1))->setFocus(Qt::OtherFocusReason);
    m_fields.at(static_cast<size_t>(index + 1))->home(false);
    return true;
  }
  return QFrame::eventFilter(watched, event);
}
