#include "QtModalDriver.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>

#include "QtDialog.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/Resources.h"

namespace {

QMessageBox::Icon IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONASTERISK:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

QWidget* QtModalDriver::OwnerWidget() {
  QWidget* owner = QApplication::activeModalWidget();
  return owner != nullptr ? owner : QApplication::activeWindow();
}

int QtModalDriver::MessageBox(HWND, const std::string& text, const std::string& caption,
                              UINT type) {
  QMessageBox box(IconOf(type), QString::fromUtf8(caption.c_str()), QString::fromUtf8(text.c_str()),
                  QMessageBox::Ok, OwnerWidget());
  box.setTextFormat(Qt::PlainText);
  box.exec();
  return IDOK;
}

QFont QtModalDriver::DialogFont(const DialogTemplate& tmpl) {
  QFont font = tmpl.fontName == "MS Shell Dlg" || tmpl.fontName.empty()
                   ? QApplication::font()
                   : QFont(QString::fromUtf8(tmpl.fontName.c_str()));
  if (tmpl.fontPoints > 0) font.setPointSize(tmpl.fontPoints);
  return font;
}

SIZE QtModalDriver::BaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return SIZE{(letters / 26 + 1) / 2, metrics.height()};
}

INT_PTR QtModalDriver::RunModalDialog(CDialog& dialog) {
  const DialogTemplate* tmpl = dialog.GetDialogTemplate();
  if (tmpl == nullptr) return -1;
  const QFont font = DialogFont(*tmpl);
  if (!dialog.CreateDialogWindow(BaseUnits(font))) return -1;
  {
    QtDialog shown(dialog, font, OwnerWidget());
    dialog.SetModalEndHandler([&shown](int result) { shown.finish(result); });
    if (!dialog.IsModalEnded()) shown.exec();
    dialog.SetModalEndHandler(nullptr);
    // The loop can end without the dialog's say (the application quitting): that is a cancel.
    if (!dialog.IsModalEnded()) dialog.EndDialog(IDCANCEL);
  }
  const int result = dialog.GetModalResult();
  dialog.DestroyDialogWindow();
  return result;
}
