#include "QtDialogLink.h"

QtDialogLink::QtDialogLink(HWND hwnd, std::function<void()> changed)
    : m_hwnd(hwnd), m_changed(std::move(changed)) {
  if (IsWindow(m_hwnd)) m_hwnd->host = this;
}

QtDialogLink::~QtDialogLink() {
  if (IsWindow(m_hwnd) && m_hwnd->host == this) m_hwnd->host = nullptr;
}

void QtDialogLink::Invalidate(const RECT*, bool) {
  if (m_changed) m_changed();
}

void QtDialogLink::StyleChanged() {
  if (m_changed) m_changed();
}
