// Shows a list-view control window on screen. The host owns no list state: it paints the
// list and its header through QtDC on WM_PAINT, turns Qt input into window messages sent to
// them, mirrors the list's scroll state in its scroll bars and repaints what the window system
// invalidates. The list's client area is the viewport; the header is a child window inside it.
//
// Key messages carry the platform's lParam (repeat count 1, bit 30 on auto-repeat and release,
// bit 31 on release); Shift, Ctrl and Alt are recorded in KeyState before each key message.
#pragma once

#include <QAbstractScrollArea>
#include <memory>

#include "platform/win/win.h"

class QtDC;
struct NativeWindow;

class QtListHost : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit QtListHost(HWND list, QWidget* parent = nullptr);
  ~QtListHost() override;

  HWND listWindow() const { return m_list; }
  // The list's header window when it shows one (report mode), else null.
  HWND headerWindow() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  static constexpr int kLargestThumbPosition = 0x7FFF;

  class Link;
  friend class Link;

  bool listAlive() const;
  void attachHeader();
  void layoutList();
  QRect headerRect() const;  // in viewport coordinates; empty without a shown header
  void invalidate(bool header, const RECT* rect);
  void updateNow();
  void syncScrollBars();
  void scrollAction(int bar, int action);
  void thumbReleased(int bar);
  void sendScroll(int bar, UINT code, int position);
  void setCursorShape(HCURSOR cursor);
  QPoint toScreen(bool header, QPoint p) const;
  void sendMouse(UINT message, QMouseEvent* event);
  void showDividerCursor(HWND target, QPoint local);
  void sendKey(UINT message, QKeyEvent* event);
  void scheduleColourChange();

  HWND m_list;
  HWND m_header = nullptr;
  std::unique_ptr<Link> m_listLink;
  std::unique_ptr<Link> m_headerLink;
  HWND m_mouseTarget = nullptr;  // the window holding the mouse while a button is down
  HWND m_hoverTarget = nullptr;
  int m_horizontalWheel = 0;
  bool m_syncingBars = false;
  bool m_dividerCursor = false;
  bool m_painting = false;
  bool m_colourChangePending = false;
};
