// The main frame on screen: a main window with the frame's menu bar, accelerators, toolbar,
// status bar, icon and title, and the view's list as its central widget. Commands from
// menus, buttons and keys go to the frame as WM_COMMAND; a short idle timer and every command
// let the frame's update handlers set the states of buttons and indicators.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <vector>

#include "platform/afx/WindowSystem.h"

class CFrameWnd;
class CMenu;
class QMenu;
class QtFrameStatusBar;
class QtFrameToolBar;

class QtFrameWindow final : public QMainWindow, public WindowHost {
  Q_OBJECT

 public:
  static constexpr int IDLE_UPDATE_MS = 100;

  explicit QtFrameWindow(CFrameWnd& frame, QWidget* parent = nullptr);
  ~QtFrameWindow() override;

  QtFrameToolBar* frameToolBar() const { return m_toolBar; }
  QtFrameStatusBar* frameStatusBar() const { return m_statusBar; }
  // Runs the frame's idle update now (also what the idle timer does).
  void idleUpdate();
  // Whether a lock key is on, from the keyboard's indicator lights; false when unknown.
  static bool LockKeyOn(UINT vk);

  // WindowHost
  void Invalidate(const RECT* rect, bool erase) override;
  void StyleChanged() override;
  void TextChanged() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenuBar();
  void BuildShortcuts();
  void SendCommand(UINT id);

  CFrameWnd& m_frame;
  QtFrameToolBar* m_toolBar = nullptr;
  QtFrameStatusBar* m_statusBar = nullptr;
  QTimer m_idleTimer;
};
