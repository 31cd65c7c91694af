// Window timers on the Qt event loop: each expiry sends WM_TIMER to its window.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <map>
#include <utility>

#include "platform/afx/Services.h"

class QtTimerService final : public QObject, public TimerService {
  Q_OBJECT

 public:
  QtTimerService();
  ~QtTimerService() override;

  // A running id is restarted with the new period.
  void SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) override;
  void KillTimer(HWND hwnd, UINT_PTR id) override;
  // Blocks the thread; no events are handled meanwhile.
  void Sleep(UINT ms) override;
  std::uint64_t NowMs() const override;

  int RunningCount() const { return static_cast<int>(m_byWindow.size()); }

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  using Key = std::pair<HWND, UINT_PTR>;
  std::map<Key, int> m_byWindow;  // window timer -> Qt timer id
  std::map<int, Key> m_byQtId;
  QElapsedTimer m_clock;
};
