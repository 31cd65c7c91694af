#include "QtTimerService.h"

#include <QTimerEvent>
#include <chrono>
#include <thread>

#include "platform/afx/WindowSystem.h"

QtTimerService::QtTimerService() {
  m_clock.start();
}

QtTimerService::~QtTimerService() {
  for (const auto& entry : m_byQtId) killTimer(entry.first);
}

void QtTimerService::SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
  KillTimer(hwnd, id);
  int qtId = startTimer(static_cast<int>(elapseMs == 0 ? 1 : elapseMs), Qt::PreciseTimer);
  if (qtId == 0) return;
  m_byWindow[Key{hwnd, id}] = qtId;
  m_byQtId[qtId] = Key{hwnd, id};
}

void QtTimerService::KillTimer(HWND hwnd, UINT_PTR id) {
  auto it = m_byWindow.find(Key{hwnd, id});
  if (it == m_byWindow.end()) return;
  killTimer(it->second);
  m_byQtId.erase(it->second);
  m_byWindow.erase(it);
}

void QtTimerService::Sleep(UINT ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint64_t QtTimerService::NowMs() const {
  return static_cast<std::uint64_t>(m_clock.elapsed());
}

void QtTimerService::timerEvent(QTimerEvent* event) {
  auto it = m_byQtId.find(event->timerId());
  if (it == m_byQtId.end()) return;
  const Key key = it->second;
  // A timer whose window is gone would fire for nobody: stop it.
  if (!IsWindow(key.first)) {
    KillTimer(key.first, key.second);
    return;
  }
  ::SendMessage(key.first, WM_TIMER, key.second, 0);
}
