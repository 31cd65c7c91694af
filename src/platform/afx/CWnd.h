// A framework window object: subclasses a window of the window system and answers its
// messages through the message table; what the table leaves goes to default processing.
#pragma once

#include <string>

#include "CCmdTarget.h"
#include "WindowSystem.h"

class CWnd : public CCmdTarget {
  DECLARE_MESSAGE_MAP()

 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }

  // Creation and lifetime.
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  BOOL CreateEx(DWORD exStyle, const std::string& className, const std::string& name, DWORD style,
                const RECT& rect, CWnd* parent, UINT id, void* createParams = nullptr);
  BOOL Create(const std::string& className, const std::string& name, DWORD style, const RECT& rect,
              CWnd* parent, UINT id);
  virtual BOOL DestroyWindow();
  void Attach(HWND hwnd);
  HWND Detach();
  static CWnd* FromHandle(HWND hwnd);
  // Called when the window system has destroyed the window.
  virtual void PostNcDestroy() {}

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A notification this window sent to its parent, offered back to it first.
  // Returns true when the parent must not handle it.
  virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Paints one item of an owner-drawn control; reached through WM_DRAWITEM to the parent.
  virtual void DrawItem(DRAWITEMSTRUCT*) {}

  // Window state.
  CWnd* GetParent() const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  void GetClientRect(RECT* rect) const;
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
  void UpdateWindow();
  BOOL ShowWindow(int cmd);
  BOOL IsWindowVisible() const;
  int GetDlgCtrlID() const;
  CWnd* GetDlgItem(int id) const;
  int GetScrollPos(int bar) const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  void ClientToScreen(POINT* point) const;

  // Timers (the view's discovery timers, the frame's logo timer).
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unused = nullptr);
  BOOL KillTimer(UINT_PTR id);

  // Message boxes with this window as owner.
  int MessageBox(const std::string& text, const std::string& caption = {}, UINT type = MB_OK);

  // The frame the window sits in (null for a top-level window that is not one).
  class CFrameWnd* GetParentFrame() const;
  virtual bool IsFrameWnd() const { return false; }
};
