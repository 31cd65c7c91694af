// Message boxes and modal dialogs on screen. Both run a nested event loop (QDialog::exec),
// so timers and socket notifications keep being handled while they are open.
#pragma once

#include <QFont>

#include "platform/afx/Services.h"

struct DialogTemplate;
class QWidget;

class QtModalDriver final : public ModalDriver {
 public:
  // Caption, the icon that the type asks for, and an OK button; returns IDOK.
  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override;
  INT_PTR RunModalDialog(CDialog& dialog) override;

  // The dialog's font: "MS Shell Dlg" is the desktop's user-interface font; the template's
  // point size either way.
  static QFont DialogFont(const DialogTemplate& tmpl);
  // Dialog base units of a font: average character width and the line height, in pixels.
  static SIZE BaseUnits(const QFont& font);

 private:
  static QWidget* OwnerWidget();
};
