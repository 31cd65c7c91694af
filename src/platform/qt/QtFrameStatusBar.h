// The frame's status bar on screen: the stretching message pane and the indicator panes, each
// showing its text unless its update handler disabled it.
#pragma once

#include <QStatusBar>
#include <vector>

#include "platform/afx/CStatusBar.h"
#include "platform/afx/WindowSystem.h"

class QLabel;

class QtFrameStatusBar final : public QStatusBar, public CStatusBar::Observer, public WindowHost {
  Q_OBJECT

 public:
  explicit QtFrameStatusBar(CStatusBar& bar, QWidget* parent = nullptr);
  ~QtFrameStatusBar() override;

  // CStatusBar::Observer
  void PanesChanged(CStatusBar& bar, int index, bool repaintNow) override;
  // WindowHost
  void Invalidate(const RECT* rect, bool erase) override;
  void StyleChanged() override;

  QLabel* pane(int index) const;
  int paneCount() const { return static_cast<int>(m_labels.size()); }

 private:
  void BuildPanes();
  void SyncPane(int index);

  CStatusBar& m_bar;
  std::vector<QLabel*> m_labels;
};
