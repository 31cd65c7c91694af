#include "QtFrameWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "QtFrameStatusBar.h"
#include "QtFrameToolBar.h"
#include "QtImages.h"
#include "QtListHost.h"
#include "QtMenuBuilder.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CStatusBar.h"
#include "platform/afx/CToolBar.h"
#include "platform/afx/CView.h"
#include "platform/afx/Resources.h"

namespace {

constexpr UINT IDR_MAINFRAME_ICON = 128;

QKeySequence KeyOf(const AcceleratorResource& a) {
  int key = 0;
  if (a.key >= 'A' && a.key <= 'Z') {
    key = Qt::Key_A + static_cast<int>(a.key - 'A');
  } else if (a.key >= '0' && a.key <= '9') {
    key = Qt::Key_0 + static_cast<int>(a.key - '0');
  } else if (a.key >= VK_F1 && a.key <= VK_F12) {
    key = Qt::Key_F1 + static_cast<int>(a.key - VK_F1);
  } else {
    switch (a.key) {
      case VK_BACK:
        key = Qt::Key_Backspace;
        break;
      case VK_DELETE:
        key = Qt::Key_Delete;
        break;
      case VK_INSERT:
        key = Qt::Key_Insert;
        break;
      default:
        return QKeySequence();
    }
  }
  if (a.ctrl) key |= Qt::CTRL;
  if (a.shift) key |= Qt::SHIFT;
  if (a.alt) key |= Qt::ALT;
  return QKeySequence(key);
}

QIcon ProgramIcon() {
  QIcon icon;
  auto& images = ResourceTable::Get().images;
  auto it = images.find(IDR_MAINFRAME_ICON);
  if (it == images.end()) return icon;
  for (qreal dpr : {1.0, 2.0}) {
    icon.addPixmap(QtImages::Pixmap(it->second, dpr));
    for (const ImageResource& other : it->second.otherSizes)
      icon.addPixmap(QtImages::Pixmap(other, dpr));
  }
  return icon;
}

}  // namespace

QtFrameWindow::QtFrameWindow(CFrameWnd& frame, QWidget* parent)
    : QMainWindow(parent), m_frame(frame) {
  setObjectName("mainframe");
  setWindowIcon(ProgramIcon());
  BuildMenuBar();
  BuildShortcuts();

  if (CToolBar* bar = frame.GetToolBar()) {
    m_toolBar = new QtFrameToolBar(*bar, frame, this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
  }
  if (CStatusBar* bar = frame.GetMessageBar()) {
    m_statusBar = new QtFrameStatusBar(*bar, this);
    setStatusBar(m_statusBar);
  }
  if (CView* view = frame.GetActiveView(); view != nullptr && IsWindow(view->m_hWnd)) {
    auto* host = new QtListHost(view->m_hWnd, this);
    setCentralWidget(host);
    host->setFocus();
  }

  RECT rect;
  GetClientRect(frame.m_hWnd, &rect);
  resize(rect.right - rect.left, rect.bottom - rect.top);
  frame.m_hWnd->host = this;
  frame.m_lockKeyState = &QtFrameWindow::LockKeyOn;
  TextChanged();

  connect(&m_idleTimer, &QTimer::timeout, this, &QtFrameWindow::idleUpdate);
  m_idleTimer.start(IDLE_UPDATE_MS);
  idleUpdate();
  StyleChanged();
}

QtFrameWindow::~QtFrameWindow() {
  m_idleTimer.stop();
  if (IsWindow(m_frame.m_hWnd)) {
    if (m_frame.m_hWnd->host == this) m_frame.m_hWnd->host = nullptr;
    m_frame.m_lockKeyState = nullptr;
  }
}

void QtFrameWindow::BuildMenuBar() {
  CMenu* menu = m_frame.GetMenu();
  if (menu == nullptr) return;
  for (UINT i = 0; i < menu->GetMenuItemCount(); ++i) {
    const int pos = static_cast<int>(i);
    CMenu* sub = menu->GetSubMenu(pos);
    if (sub == nullptr) continue;
    QMenu* qmenu = menuBar()->addMenu(QtMenuBuilder::Text(menu->GetMenuString(pos)));
    QtMenuBuilder::Fill(qmenu, *sub, &m_frame);
    connect(qmenu, &QMenu::aboutToShow, this, [this, qmenu, sub] {
      m_frame.OnInitMenuPopup(sub);
      QtMenuBuilder::SyncStates(qmenu, *sub);
    });
    connect(qmenu, &QMenu::triggered, this, [this](QAction* action) {
      if (UINT id = QtMenuBuilder::CommandOf(action)) SendCommand(id);
    });
  }
}

void QtFrameWindow::BuildShortcuts() {
  for (const AcceleratorResource& a : m_frame.GetAccelerators()) {
    const QKeySequence keys = KeyOf(a);
    if (keys.isEmpty()) continue;
    auto* shortcut = new QShortcut(keys, this);
    const UINT id = a.id;
    connect(shortcut, &QShortcut::activated, this, [this, id] {
      // As with the platform's accelerators, a disabled command is not sent.
      CStateCmdUI ui;
      ui.m_nID = id;
      ui.DoUpdate(&m_frame, true);
      if (ui.enabled) SendCommand(id);
    });
  }
}

void QtFrameWindow::SendCommand(UINT id) {
  if (!IsWindow(m_frame.m_hWnd)) return;
  m_frame.SendMessage(WM_COMMAND, id, 0);
  if (IsWindow(m_frame.m_hWnd)) idleUpdate();
}

void QtFrameWindow::idleUpdate() {
  if (IsWindow(m_frame.m_hWnd)) m_frame.OnIdleUpdateCmdUI();
}

bool QtFrameWindow::LockKeyOn(UINT vk) {
  // The keyboard's lights, as the kernel shows them; absent on many systems.
  const char* suffix = vk == VK_CAPITAL ? "capslock" : vk == VK_NUMLOCK ? "numlock" : "scrolllock";
  static const QStringList leds =
      QDir("/sys/class/leds").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& led : leds) {
    if (!led.endsWith(QString("::") + suffix)) continue;
    QFile file("/sys/class/leds/" + led + "/brightness");
    if (file.open(QIODevice::ReadOnly) && file.read(8).trimmed() != "0") return true;
  }
  return false;
}

void QtFrameWindow::Invalidate(const RECT*, bool) {
  update();
}

void QtFrameWindow::StyleChanged() {
  setVisible((GetWindowStyle(m_frame.m_hWnd) & WS_VISIBLE) != 0);
}

void QtFrameWindow::TextChanged() {
  setWindowTitle(QString::fromStdString(m_frame.GetWindowText()));
}

void QtFrameWindow::closeEvent(QCloseEvent* event) {
  // The frame decides; it ends the program when it is the main window.
  event->ignore();
  if (IsWindow(m_frame.m_hWnd)) m_frame.SendMessage(WM_CLOSE);
}
