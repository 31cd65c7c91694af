// Ties one platform window of a dialog to its widget: what the window system reports about
// the window (its text or state changed, it wants repainting) becomes a call of `changed`.
#pragma once

#include <functional>

#include "platform/afx/WindowSystem.h"

class QtDialogLink final : public WindowHost {
 public:
  QtDialogLink(HWND hwnd, std::function<void()> changed);
  ~QtDialogLink() override;
  QtDialogLink(const QtDialogLink&) = delete;
  QtDialogLink& operator=(const QtDialogLink&) = delete;

  HWND window() const { return m_hwnd; }
  void Invalidate(const RECT*, bool) override;
  void StyleChanged() override;

 private:
  HWND m_hwnd;
  std::function<void()> m_changed;
};
