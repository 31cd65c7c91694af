#include "ManualClock.h"

#include <algorithm>

#include "WindowSystem.h"

void ManualClock::SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
  KillTimer(hwnd, id);
  m_timers.push_back(Timer{hwnd, id, elapseMs == 0 ? 1u : elapseMs,
                           m_now + (elapseMs == 0 ? 1 : elapseMs), m_seq++});
}

void ManualClock::KillTimer(HWND hwnd, UINT_PTR id) {
  m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }),
                 m_timers.end());
}

void ManualClock::Sleep(UINT ms) {
  m_now += ms;
  m_slept += ms;
}

void ManualClock::Advance(std::uint64_t ms) {
  const std::uint64_t end = m_now + ms;
  for (;;) {
    auto next =
        std::min_element(m_timers.begin(), m_timers.end(), [](const Timer& a, const Timer& b) {
          return a.due != b.due ? a.due < b.due : a.seq < b.seq;
        });
    if (next == m_timers.end() || next->due > end) break;
    if (next->due > m_now) m_now = next->due;
    HWND hwnd = next->hwnd;
    UINT_PTR id = next->id;
    next->due = m_now + next->period;  // rearm before the handler, which may restart or kill it
    next->seq = m_seq++;
    if (!IsWindow(hwnd)) {
      KillTimer(hwnd, id);
      continue;
    }
    ::SendMessage(hwnd, WM_TIMER, id, 0);
  }
  if (end > m_now) m_now = end;
}

bool ManualClock::IsRunning(HWND hwnd, UINT_PTR id) const {
  return DueAt(hwnd, id) != 0;
}

std::uint64_t ManualClock::DueAt(HWND hwnd, UINT_PTR id) const {
  for (const Timer& t : m_timers)
    if (t.hwnd == hwnd && t.id == id) return t.due;
  return 0;
}
