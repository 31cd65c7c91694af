#include "QtFrameToolBar.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QPaintEvent>
#include <QPainter>
#include <QToolButton>

#include "QtDC.h"
#include "QtImages.h"
#include "platform/afx/CFrameWnd.h"

namespace {

// The platform's toolbar button: the image plus a 7 x 6 pixel frame.
constexpr int kButtonExtraWidth = 7;
constexpr int kButtonExtraHeight = 6;

QIcon ButtonIcon(const ImageResource& strip, int image, QSize size) {
  QIcon icon;
  for (qreal dpr : {1.0, 2.0}) {
    QPixmap all = QtImages::Pixmap(strip, dpr);
    if (all.isNull()) continue;
    const qreal scale = all.devicePixelRatio();
    const QRect cell(qRound(image * size.width() * scale), 0, qRound(size.width() * scale),
                     qRound(size.height() * scale));
    QPixmap one = all.copy(cell);
    one.setDevicePixelRatio(scale);
    icon.addPixmap(one);
  }
  return icon;
}

}  // namespace

QtFrameToolBar::QtFrameToolBar(CToolBar& bar, CFrameWnd& frame, QWidget* parent)
    : QToolBar(parent), m_bar(bar), m_frame(frame) {
  setObjectName("toolbar");
  setMovable(false);
  setFloatable(false);
  setContextMenuPolicy(Qt::PreventContextMenu);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  const SIZE size = bar.GetButtonSize();
  setIconSize(QSize(size.cx, size.cy));
  BuildButtons();
  bar.SetObserver(this);
  if (IsWindow(bar.m_hWnd)) bar.m_hWnd->host = this;
  setVisible(bar.IsWindowVisible());
}

QtFrameToolBar::~QtFrameToolBar() {
  if (m_bar.GetObserver() == this) m_bar.SetObserver(nullptr);
  if (IsWindow(m_bar.m_hWnd) && m_bar.m_hWnd->host == this) m_bar.m_hWnd->host = nullptr;
}

void QtFrameToolBar::BuildButtons() {
  const SIZE size = m_bar.GetButtonSize();
  const QSize iconSize(size.cx, size.cy);
  const bool tooltips = (m_bar.GetBarStyle() & CBRS_TOOLTIPS) != 0;
  for (int i = 0; i < m_bar.GetCount(); ++i) {
    const CToolBar::Button& b = m_bar.GetButton(i);
    if (b.id == ID_SEPARATOR) {
      addSeparator();
      m_actions.push_back(nullptr);
      continue;
    }
    QAction* action = addAction(QString());
    if (m_bar.GetImageStrip())
      action->setIcon(ButtonIcon(*m_bar.GetImageStrip(), b.image, iconSize));
    if (tooltips) action->setToolTip(QString::fromStdString(CToolBar::TooltipFor(b.id)));
    action->setData(b.id);
    const UINT id = b.id;
    connect(action, &QAction::triggered, this, [this, id] {
      m_frame.SendMessage(WM_COMMAND, id, 0);
      if (IsWindow(m_frame.m_hWnd)) m_frame.OnIdleUpdateCmdUI();
    });
    if (QWidget* button = widgetForAction(action)) {
      button->setFixedSize(size.cx + kButtonExtraWidth, size.cy + kButtonExtraHeight);
      button->installEventFilter(this);
    }
    m_actions.push_back(action);
  }
  ButtonsChanged(m_bar);
}

QAction* QtFrameToolBar::actionFor(UINT id) const {
  for (QAction* a : m_actions)
    if (a != nullptr && a->data().toUInt() == id) return a;
  return nullptr;
}

void QtFrameToolBar::ButtonsChanged(CToolBar& bar) {
  for (int i = 0; i < bar.GetCount() && static_cast<size_t>(i) < m_actions.size(); ++i) {
    QAction* action = m_actions[static_cast<size_t>(i)];
    if (action == nullptr) continue;
    const CToolBar::Button& b = bar.GetButton(i);
    action->setEnabled(b.enabled);
    action->setCheckable(b.checked);
    action->setChecked(b.checked);
  }
}

bool QtFrameToolBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button != nullptr && button->defaultAction() != nullptr && IsWindow(m_frame.m_hWnd)) {
      const UINT id = event->type() == QEvent::Enter ? button->defaultAction()->data().toUInt() : 0;
      m_frame.SetFlyByCommand(id);
    }
  }
  return QToolBar::eventFilter(watched, event);
}

CDC* QtFrameToolBar::GetDC(CToolBar&) {
  if (m_dc) return m_dc.get();  // one context at a time, as the platform lends it
  const qreal dpr = devicePixelRatioF();
  m_canvas = QImage((size() * dpr), QImage::Format_ARGB32_Premultiplied);
  if (m_canvas.isNull()) return nullptr;
  m_canvas.setDevicePixelRatio(dpr);
  m_canvas.fill(Qt::transparent);
  m_dc = std::make_unique<QtDC>(&m_canvas);
  if (!m_dc->isActive()) {
    m_dc.reset();
    return nullptr;
  }
  return m_dc.get();
}

void QtFrameToolBar::ReleaseDC(CToolBar&, CDC* dc) {
  if (dc == nullptr || dc != m_dc.get()) return;
  m_dc.reset();  // ends the painting
  // Repaint only when the drawing changed; the same logo every 200 ms costs nothing.
  if (m_canvas != m_overlay) {
    m_overlay = m_canvas;
    update();
  }
}

void QtFrameToolBar::paintEvent(QPaintEvent* event) {
  QToolBar::paintEvent(event);
  if (m_overlay.isNull()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), m_overlay);
}

void QtFrameToolBar::Invalidate(const RECT* rect, bool) {
  if (rect == nullptr)
    update();
  else
    update(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
}

void QtFrameToolBar::StyleChanged() {
  setVisible(m_bar.IsWindowVisible());
}
