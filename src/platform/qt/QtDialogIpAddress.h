// The on-screen face of an IP address control: four small fields in one edit frame. Digits
// only, each field 0..255; "." or a space moves on to the next field, as does a third digit;
// Backspace in an empty field goes back to the one before. Every change is written to the
// platform window as its dotted text, and the window's text is shown when it changes.
#pragma once

#include <QFrame>
#include <array>

#include "QtDialogLink.h"

class QLineEdit;

class QtDialogIpAddress final : public QFrame {
  Q_OBJECT

 public:
  QtDialogIpAddress(HWND control, QWidget* parent);

  HWND window() const { return m_link.window(); }
  QLineEdit* field(int index) const { return m_fields.at(static_cast<size_t>(index)); }
  void syncFromWindow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fieldEdited(int index);
  void enterField(int index, bool atEnd);
  int indexOf(QObject* field) const;

  QtDialogLink m_link;
  std::array<QLineEdit*, 4> m_fields{};
  std::array<QWidget*, 3> m_dots{};
  bool m_syncing = false;
  bool m_justAdvanced = false;
};
