#include "QtDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "QtDialogEdit.h"
#include "QtDialogIpAddress.h"
#include "QtDialogLink.h"
#include "QtImages.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/Resources.h"

namespace {

QString FromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// "&&" is a literal ampersand, a single "&" marks a mnemonic that a label does not show.
QString WithoutPrefix(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) ++i;
    out += text.at(i);
  }
  return out;
}

QRect RectOf(HWND hwnd) {
  const RECT& r = hwnd->rect;
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

QtDialog::QtDialog(CDialog& dialog, const QFont& font, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  ((GetWindowStyle(dialog.m_hWnd) & WS_SYSMENU) != 0 ? Qt::WindowCloseButtonHint
                                                                     : Qt::WindowFlags())),
      m_dialog(dialog) {
  setFont(font);
  setWindowTitle(FromUtf8(dialog.m_hWnd->text));
  RECT client{};
  GetClientRect(dialog.m_hWnd, &client);
  setFixedSize(client.right, client.bottom);

  for (HWND control : dialog.GetControlWindows()) {
    QWidget* widget = makeWidget(control);
    widget->setGeometry(RectOf(control));
    m_widgets.emplace_back(control, widget);
  }
  // Group boxes lie under what they frame and let clicks through to it.
  for (auto& [control, widget] : m_widgets)
    if (qobject_cast<QGroupBox*>(widget) != nullptr) widget->lower();

  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { focusChanged(now); });
  syncFocusFromWindows();
}

QtDialog::~QtDialog() {
  disconnect(qApp, nullptr, this, nullptr);
  // Widgets go before the links that feed them; the windows outlive both.
  for (auto& [control, widget] : m_widgets) delete widget;
  m_widgets.clear();
  m_links.clear();
}

QWidget* QtDialog::makeWidget(HWND control) {
  const DWORD style = GetWindowStyle(control);
  const QString text = FromUtf8(control->text);
  QWidget* widget = nullptr;
  if (control->className == "Edit") {
    widget = new QtDialogEdit(control, this);
  } else if (control->className == "SysIPAddress32") {
    widget = new QtDialogIpAddress(control, this);
  } else if (control->className == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) {
    auto* group = new QGroupBox(text, this);
    group->setAttribute(Qt::WA_TransparentForMouseEvents);
    group->setFocusPolicy(Qt::NoFocus);
    widget = group;
  } else if (control->className == "Button") {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    button->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    connect(button, &QPushButton::clicked, this,
            [this, control] { dispatch([control] { ::SendMessage(control, BM_CLICK, 0, 0); }); });
    widget = button;
  } else if (control->className == "Static") {
    auto* label = new QLabel(this);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      // The icon's resource number, as "#128".
      const UINT id = text.mid(text.startsWith(QLatin1Char('#')) ? 1 : 0).toUInt();
      auto& images = ResourceTable::Get().images;
      auto it = images.find(id);
      if (it != images.end()) label->setPixmap(QtImages::Pixmap(it->second, devicePixelRatioF()));
    } else {
      label->setText((style & SS_NOPREFIX) != 0 ? text : WithoutPrefix(text));
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    widget = label;
  } else {
    widget = new QWidget(this);
  }
  if ((style & WS_DISABLED) != 0) widget->setEnabled(false);
  if (qobject_cast<QtDialogEdit*>(widget) == nullptr &&
      qobject_cast<QtDialogIpAddress*>(widget) == nullptr)
    m_links.push_back(std::make_unique<QtDialogLink>(control, [widget, control] {
      widget->setEnabled((GetWindowStyle(control) & WS_DISABLED) == 0);
      if (auto* b = qobject_cast<QPushButton*>(widget)) b->setText(FromUtf8(control->text));
      if (auto* g = qobject_cast<QGroupBox*>(widget)) g->setTitle(FromUtf8(control->text));
    }));
  return widget;
}

QWidget* QtDialog::widgetFor(int id) const {
  for (const auto& [control, widget] : m_widgets)
    if (GetDlgCtrlID(control) == id) return widget;
  return nullptr;
}

QWidget* QtDialog::focusWidgetFor(HWND control) const {
  for (const auto& [c, widget] : m_widgets)
    if (c == control) return widget->focusProxy() != nullptr ? widget->focusProxy() : widget;
  return nullptr;
}

HWND QtDialog::controlOf(QWidget* widget) const {
  for (QWidget* w = widget; w != nullptr && w != this; w = w->parentWidget())
    for (const auto& [control, shown] : m_widgets)
      if (shown == w) return control;
  return nullptr;
}

void QtDialog::focusChanged(QWidget* now) {
  if (m_syncingFocus) return;
  HWND control = controlOf(now);
  if (control != nullptr && GetFocus() != control) {
    m_syncingFocus = true;
    SetFocus(control);
    m_syncingFocus = false;
  }
}

void QtDialog::syncFocusFromWindows() {
  HWND focus = GetFocus();
  if (focusWidget() != nullptr && controlOf(focusWidget()) == focus) return;
  QWidget* target = focusWidgetFor(focus);
  if (target == nullptr) return;
  m_syncingFocus = true;
  target->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(target)) {
    DWORD start = 0, end = 0;
    ::SendMessage(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                  reinterpret_cast<LPARAM>(&end));
    if (focus->className == "Edit" && end > start) edit->selectAll();
  }
  m_syncingFocus = false;
}

template <typename F>
void QtDialog::dispatch(F&& f) {
  f();
  if (!m_dialog.IsModalEnded()) syncFocusFromWindows();
}

void QtDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A modal dialog takes the keyboard at once, with the focus where the dialog put it.
  activateWindow();
  syncFocusFromWindows();
}

void QtDialog::keyPressEvent(QKeyEvent* event) {
  UINT vk = 0;
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) vk = VK_RETURN;
    if (event->key() == Qt::Key_Escape) vk = VK_ESCAPE;
  }
  if (vk == 0) {
    QDialog::keyPressEvent(event);
    return;
  }
  MSG msg;
  msg.hwnd = GetFocus();
  msg.message = WM_KEYDOWN;
  msg.wParam = vk;
  dispatch([this, &msg] { m_dialog.IsDialogMessage(msg); });
  event->accept();
}

bool QtDialog::focusNextPrevChild(bool next) {
  HWND from = controlOf(focusWidget());
  HWND to = m_dialog.GetNextDlgTabItem(from, next ? FALSE : TRUE);
  QWidget* target = focusWidgetFor(to);
  if (target == nullptr) return false;
  target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void QtDialog::reject() {
  // The close box: the dialog decides, as its Cancel would.
  dispatch([this] { ::SendMessage(m_dialog.m_hWnd, WM_CLOSE, 0, 0); });
}
