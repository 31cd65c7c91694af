#include "QtListHost.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include "QtDC.h"
#include "QtListHostKeys.h"
#include "platform/afx/SystemCursors.h"
#include "platform/afx/WindowSystem.h"
#include "platform/listview/KeyState.h"

// What the window system sees of the host for one of its two windows.
class QtListHost::Link final : public WindowHost {
 public:
  Link(QtListHost* owner, bool header) : m_owner(owner), m_header(header) {}
  void Invalidate(const RECT* rect, bool) override { m_owner->invalidate(m_header, rect); }
  void UpdateNow() override { m_owner->updateNow(); }
  void StyleChanged() override {
    m_owner->attachHeader();
    m_owner->viewport()->update();
  }
  void CursorChanged(HCURSOR cursor) override { m_owner->setCursorShape(cursor); }
  void ScrollBarsChanged() override { m_owner->syncScrollBars(); }
  POINT ClientToScreen(POINT p) override {
    const QPoint global = m_owner->toScreen(m_header, QPoint(p.x, p.y));
    return POINT{global.x(), global.y()};
  }

 private:
  QtListHost* m_owner;
  bool m_header;
};

namespace {

QRect toQRect(const RECT& r) {
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

WPARAM mouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM keys = 0;
  if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
  if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
  if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
  return keys;
}

WPARAM makeWParam(unsigned low, unsigned high) {
  return static_cast<WPARAM>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}

}  // namespace

QtListHost::QtListHost(HWND list, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_list(list),
      m_listLink(std::make_unique<Link>(this, false)),
      m_headerLink(std::make_unique<Link>(this, true)) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  for (int bar : {SB_HORZ, SB_VERT}) {
    QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    connect(scrollBar, &QScrollBar::actionTriggered, this,
            [this, bar](int action) { scrollAction(bar, action); });
    connect(scrollBar, &QScrollBar::sliderReleased, this, [this, bar] { thumbReleased(bar); });
  }
  if (IsWindow(m_list)) m_list->host = m_listLink.get();
  attachHeader();
  syncScrollBars();
}

QtListHost::~QtListHost() {
  if (IsWindow(m_header) && m_header->host == m_headerLink.get()) m_header->host = nullptr;
  if (IsWindow(m_list) && m_list->host == m_listLink.get()) m_list->host = nullptr;
}

bool QtListHost::listAlive() const {
  return IsWindow(m_list) && m_list->host == m_listLink.get();
}

void QtListHost::attachHeader() {
  HWND header =
      listAlive() ? reinterpret_cast<HWND>(::SendMessage(m_list, LVM_GETHEADER)) : nullptr;
  if (!IsWindow(header)) header = nullptr;
  // Same handle and still ours: nothing to do (a new header may reuse a freed one's address).
  if (header == m_header && (header == nullptr || header->host == m_headerLink.get())) return;
  if (IsWindow(m_header) && m_header->host == m_headerLink.get()) m_header->host = nullptr;
  m_header = header;
  if (m_header != nullptr) m_header->host = m_headerLink.get();
}

HWND QtListHost::headerWindow() const {
  if (!listAlive() || !IsWindow(m_header) || m_header->host != m_headerLink.get()) return nullptr;
  if ((GetWindowStyle(m_header) & WS_VISIBLE) == 0) return nullptr;
  return IsRectEmpty(m_header->rect) ? nullptr : m_header;
}

QRect QtListHost::headerRect() const {
  HWND header = headerWindow();
  return header != nullptr ? toQRect(header->rect) : QRect();
}

void QtListHost::layoutList() {
  if (!listAlive()) return;
  const QSize size = viewport()->size();
  const RECT& now = m_list->rect;
  if (now.left == 0 && now.top == 0 && now.right == size.width() && now.bottom == size.height())
    return;
  ::MoveWindow(m_list, 0, 0, size.width(), size.height(), TRUE);
  attachHeader();
}

void QtListHost::invalidate(bool header, const RECT* rect) {
  // No erase bookkeeping: every paint of the list starts with its own background erase.
  if (header) {
    const QRect area = headerRect();
    if (area.isEmpty()) return;
    viewport()->update(rect != nullptr ? toQRect(*rect).translated(area.topLeft()) : area);
    return;
  }
  if (rect == nullptr)
    viewport()->update();
  else if (!IsRectEmpty(*rect))
    viewport()->update(toQRect(*rect));
}

void QtListHost::updateNow() {
  // A repaint asked for from inside a paint would recurse; the pending update covers it.
  if (!m_painting) viewport()->repaint();
}

void QtListHost::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  if (!listAlive()) {
    painter.fillRect(area, palette().color(QPalette::Base));
    return;
  }
  m_painting = true;
  attachHeader();
  const QRect header = headerRect();
  // The header is a child window: the list's own painting never reaches under it.
  QRect rows = area;
  if (!header.isEmpty() && header.bottom() >= rows.top()) rows.setTop(header.bottom() + 1);
  if (!rows.isEmpty()) {
    painter.save();
    painter.setClipRect(rows);
    {
      QtDC dc(painter, rows, viewport());
      ::SendMessage(m_list, WM_PAINT, reinterpret_cast<WPARAM>(static_cast<CDC*>(&dc)), 0);
    }
    painter.restore();
  }
  HWND headerWnd = headerWindow();
  if (headerWnd != nullptr && area.intersects(header)) {
    painter.save();
    const QRect clip = area.intersected(header).translated(-header.topLeft());
    painter.translate(header.topLeft());
    painter.setClipRect(clip);
    {
      QtDC dc(painter, clip, viewport());
      ::SendMessage(headerWnd, WM_PAINT, reinterpret_cast<WPARAM>(static_cast<CDC*>(&dc)), 0);
    }
    painter.restore();
  }
  m_painting = false;
}

void QtListHost::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  layoutList();
}

void QtListHost::scrollContentsBy(int, int) {
  // The control scrolls itself and invalidates what moved; nothing to shift here.
}

void QtListHost::syncScrollBars() {
  if (!listAlive()) return;
  m_syncingBars = true;
  for (int bar : {SB_HORZ, SB_VERT}) {
    QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    const int page = std::max(1, m_list->scrollPage[bar]);
    // The range 0..max holds the page, so the last position is max - page + 1.
    const int last = std::max(0, m_list->scrollMax[bar] - page + 1);
    scrollBar->setRange(0, last);
    scrollBar->setPageStep(page);
    scrollBar->setSingleStep(1);
    scrollBar->setValue(m_list->scrollPos[bar]);
  }
  m_syncingBars = false;
  // A bar appearing or going changes the viewport; the list takes the new size.
  layoutList();
}

void QtListHost::scrollAction(int bar, int action) {
  if (m_syncingBars || !listAlive()) return;
  QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
  UINT code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      code = SB_LINEDOWN;
      break;
    case QAbstractSlider::SliderSingleStepSub:
      code = SB_LINEUP;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      code = SB_PAGEDOWN;
      break;
    case QAbstractSlider::SliderPageStepSub:
      code = SB_PAGEUP;
      break;
    case QAbstractSlider::SliderToMinimum:
      code = SB_TOP;
      break;
    case QAbstractSlider::SliderToMaximum:
      code = SB_BOTTOM;
      break;
    case QAbstractSlider::SliderMove:
      code = scrollBar->isSliderDown() ? SB_THUMBTRACK : SB_THUMBPOSITION;
      break;
    default:
      return;
  }
  sendScroll(bar, code, scrollBar->sliderPosition());
  if (!listAlive()) return;
  // The bar shows where the control went, not where the toolkit would have gone.
  m_syncingBars = true;
  scrollBar->setSliderPosition(m_list->scrollPos[bar]);
  m_syncingBars = false;
}

void QtListHost::thumbReleased(int bar) {
  if (!listAlive()) return;
  QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
  sendScroll(bar, SB_THUMBPOSITION, scrollBar->sliderPosition());
  if (!listAlive()) return;
  ::SendMessage(m_list, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, makeWParam(SB_ENDSCROLL, 0), 0);
  syncScrollBars();
}

void QtListHost::sendScroll(int bar, UINT code, int position) {
  const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
  const bool thumb = code == SB_THUMBPOSITION || code == SB_THUMBTRACK;
  if (!thumb || position <= kLargestThumbPosition) {
    ::SendMessage(m_list, message, makeWParam(code, static_cast<unsigned>(position)), 0);
    return;
  }
  // The scroll message holds a 16-bit signed position: a thumb further down (a list of more
  // rows than that) is moved there by the control's scroll request, in pixels.
  const int distance = position - m_list->scrollPos[bar];
  if (bar == SB_HORZ) {
    ::SendMessage(m_list, LVM_SCROLL, static_cast<WPARAM>(distance), 0);
    return;
  }
  RECT row;
  row.left = LVIR_BOUNDS;
  const WPARAM top = static_cast<WPARAM>(::SendMessage(m_list, LVM_GETTOPINDEX));
  if (::SendMessage(m_list, LVM_GETITEMRECT, top, reinterpret_cast<LPARAM>(&row)) == 0) return;
  ::SendMessage(m_list, LVM_SCROLL, 0, static_cast<LPARAM>(distance) * (row.bottom - row.top));
}

void QtListHost::setCursorShape(HCURSOR cursor) {
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (cursor != nullptr) {
    switch (cursor->id) {
      case IDC_HAND:
        shape = Qt::PointingHandCursor;
        break;
      case IDC_SIZEWE:
        shape = Qt::SplitHCursor;
        break;
      case IDC_IBEAM:
        shape = Qt::IBeamCursor;
        break;
      default:
        shape = Qt::ArrowCursor;
    }
  }
  viewport()->setCursor(shape);
}

QPoint QtListHost::toScreen(bool header, QPoint p) const {
  if (header) p += headerRect().topLeft();
  return viewport()->mapToGlobal(p);
}

void QtListHost::sendMouse(UINT message, QMouseEvent* event) {
  if (!listAlive()) return;
  attachHeader();
  const QPoint pos = event->position().toPoint();
  const QRect header = headerRect();
  HWND target = m_mouseTarget;
  if (target == nullptr || !IsWindow(target))
    target = header.contains(pos) ? headerWindow() : m_list;
  const bool press =
      message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONDBLCLK;
  if (press) m_mouseTarget = target;
  if (event->buttons() == Qt::NoButton) m_mouseTarget = nullptr;

  // A pointer leaving the header for the rows tells the header it is gone (no hot item).
  if (message == WM_MOUSEMOVE && m_hoverTarget != target && m_hoverTarget != nullptr &&
      m_hoverTarget == headerWindow())
    ::SendMessage(m_hoverTarget, WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
  m_hoverTarget = target;

  const QPoint local = target == m_list ? pos : pos - header.topLeft();
  ::SendMessage(target, message, mouseKeys(event->buttons(), event->modifiers()),
                MAKELPARAM(local.x(), local.y()));
  if (event->buttons() == Qt::NoButton) showDividerCursor(target, local);
}

void QtListHost::showDividerCursor(HWND target, QPoint local) {
  // Over a header divider the pointer shows that the column can be sized; it stays so while
  // the divider is dragged (no button-up yet) and goes back when the pointer leaves it.
  bool onDivider = false;
  if (listAlive() && target != nullptr && target == headerWindow()) {
    HDHITTESTINFO hit;
    hit.pt = POINT{local.x(), local.y()};
    ::SendMessage(target, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    onDivider = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) != 0;
  }
  if (onDivider == m_dividerCursor) return;
  m_dividerCursor = onDivider;
  viewport()->setCursor(onDivider ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void QtListHost::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    sendMouse(WM_LBUTTONDOWN, event);
  else if (event->button() == Qt::RightButton)
    sendMouse(WM_RBUTTONDOWN, event);
  event->accept();
}

void QtListHost::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    sendMouse(WM_LBUTTONUP, event);
  else if (event->button() == Qt::RightButton)
    sendMouse(WM_RBUTTONUP, event);
  event->accept();
}

void QtListHost::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    sendMouse(WM_LBUTTONDBLCLK, event);
  else if (event->button() == Qt::RightButton)
    sendMouse(WM_RBUTTONDOWN, event);
  event->accept();
}

void QtListHost::mouseMoveEvent(QMouseEvent* event) {
  sendMouse(WM_MOUSEMOVE, event);
  event->accept();
}

void QtListHost::leaveEvent(QEvent* event) {
  if (m_mouseTarget == nullptr) showDividerCursor(nullptr, QPoint());
  if (m_hoverTarget != nullptr && m_hoverTarget == headerWindow() && m_mouseTarget == nullptr)
    ::SendMessage(m_hoverTarget, WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
  m_hoverTarget = nullptr;
  QAbstractScrollArea::leaveEvent(event);
}

void QtListHost::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (!listAlive()) return;
  const QPoint global = event->globalPosition().toPoint();
  const QPoint delta = event->angleDelta();
  const WPARAM keys = mouseKeys(event->buttons(), event->modifiers());
  if (delta.y() != 0)
    ::SendMessage(m_list, WM_MOUSEWHEEL,
                  makeWParam(static_cast<unsigned>(keys), static_cast<unsigned>(delta.y())),
                  MAKELPARAM(global.x(), global.y()));
  // Sideways wheels scroll the columns a line per notch.
  m_horizontalWheel += delta.x();
  while (listAlive() && std::abs(m_horizontalWheel) >= WHEEL_DELTA) {
    const bool left = m_horizontalWheel > 0;
    m_horizontalWheel += left ? -WHEEL_DELTA : WHEEL_DELTA;
    ::SendMessage(m_list, WM_HSCROLL, makeWParam(left ? SB_LINELEFT : SB_LINERIGHT, 0), 0);
  }
}

void QtListHost::sendKey(UINT message, QKeyEvent* event) {
  if (!listAlive()) return;
  // Key messages carry no modifiers; the control asks KeyState while it handles them.
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  KeyState::SetDown(VK_SHIFT, (modifiers & Qt::ShiftModifier) != 0);
  KeyState::SetDown(VK_CONTROL, (modifiers & Qt::ControlModifier) != 0);
  KeyState::SetDown(VK_MENU, (modifiers & Qt::AltModifier) != 0);
  const UINT vk = QtListHostKeys::VirtualKeyOf(event->key(), modifiers);
  if (vk == 0) return;
  // A modifier's own event may or may not list itself, depending on the window system.
  if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)
    KeyState::SetDown(vk, message == WM_KEYDOWN);
  LPARAM flags = 1;  // repeat count
  if (event->isAutoRepeat() || message == WM_KEYUP) flags |= LPARAM{1} << 30;
  if (message == WM_KEYUP) flags |= LPARAM{1} << 31;
  ::SendMessage(m_list, message, vk, flags);
}

void QtListHost::keyPressEvent(QKeyEvent* event) {
  sendKey(WM_KEYDOWN, event);
  // Typed characters follow as the bytes of their text, as a multibyte window receives them.
  const QByteArray text = event->text().toUtf8();
  if (listAlive() && !text.isEmpty() && static_cast<unsigned char>(text[0]) >= 0x20 &&
      text[0] != 0x7F)
    for (char byte : text) ::SendMessage(m_list, WM_CHAR, static_cast<unsigned char>(byte), 1);
  event->accept();
}

void QtListHost::keyReleaseEvent(QKeyEvent* event) {
  sendKey(WM_KEYUP, event);
  event->accept();
}

void QtListHost::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (listAlive()) ::SetFocus(m_list);
}

void QtListHost::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  // A popup menu of the list (its context menu) leaves the platform's focus where it is.
  if (event->reason() == Qt::PopupFocusReason) return;
  KeyState::Reset();
  if (listAlive() && (::GetFocus() == m_list || ::GetFocus() == m_header)) ::SetFocus(nullptr);
}

void QtListHost::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
    scheduleColourChange();
}

void QtListHost::scheduleColourChange() {
  // Both palette events of one change make a single colour-change message.
  if (m_colourChangePending) return;
  m_colourChangePending = true;
  QTimer::singleShot(0, this, [this] {
    m_colourChangePending = false;
    if (listAlive()) ::SendMessage(m_list, WM_SYSCOLORCHANGE);
    viewport()->update();
  });
}

void QtListHost::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  // A mouse request already went out as the right button messages; the menu key has no point.
  if (event->reason() == QContextMenuEvent::Keyboard && listAlive())
    ::SendMessage(m_list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_list), -1);
}
