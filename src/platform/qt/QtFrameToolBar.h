// The frame's toolbar on screen: flat 32x32 buttons from the toolbar's image strip, tooltips,
// fly-by prompts and states from the frame's update handlers. Drawing that the program does
// through the toolbar's device context (the logo) is kept as an overlay painted after the
// toolbar's own background, so it survives the toolbar's repaints.
#pragma once

#include <QImage>
#include <QToolBar>
#include <memory>
#include <vector>

#include "platform/afx/CToolBar.h"
#include "platform/afx/WindowSystem.h"

class CFrameWnd;
class QtDC;

class QtFrameToolBar final : public QToolBar, public CToolBar::Observer, public WindowHost {
  Q_OBJECT

 public:
  QtFrameToolBar(CToolBar& bar, CFrameWnd& frame, QWidget* parent = nullptr);
  ~QtFrameToolBar() override;

  // CToolBar::Observer
  void ButtonsChanged(CToolBar& bar) override;
  CDC* GetDC(CToolBar& bar) override;
  void ReleaseDC(CToolBar& bar, CDC* dc) override;

  // WindowHost
  void Invalidate(const RECT* rect, bool erase) override;
  void StyleChanged() override;

  QAction* actionFor(UINT id) const;
  const QImage& overlay() const { return m_overlay; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildButtons();

  CToolBar& m_bar;
  CFrameWnd& m_frame;
  std::vector<QAction*> m_actions;  // one per toolbar entry; null for separators
  QImage m_overlay;
  QImage m_canvas;
  std::unique_ptr<QtDC> m_dc;
};
