// Test double of the timer service: time moves only when a test advances it, and the timers
// that fall due fire in time order, each as WM_TIMER to its window.
#pragma once

#include <cstdint>
#include <vector>

#include "Services.h"

class ManualClock final : public TimerService {
 public:
  void SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) override;
  void KillTimer(HWND hwnd, UINT_PTR id) override;
  // Sleep moves time on without firing anything: the thread does not handle messages.
  void Sleep(UINT ms) override;
  std::uint64_t NowMs() const override { return m_now; }

  // Moves time on by ms, firing every timer that falls due on the way (periodic timers rearm).
  void Advance(std::uint64_t ms);
  bool IsRunning(HWND hwnd, UINT_PTR id) const;
  // Time at which the timer fires next; 0 when it is not running.
  std::uint64_t DueAt(HWND hwnd, UINT_PTR id) const;
  std::uint64_t SleptMs() const { return m_slept; }

 private:
  struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    std::uint64_t due;
    std::uint64_t seq;
  };
  std::vector<Timer> m_timers;
  std::uint64_t m_now = 0;
  std::uint64_t m_slept = 0;
  std::uint64_t m_seq = 0;
};
