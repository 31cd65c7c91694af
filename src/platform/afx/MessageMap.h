// Message tables: each class lists the messages, notifications and commands it handles.
// Lookup starts at the most derived class, so a derived entry replaces its base's.
#pragma once

#include "platform/win/win.h"

class CCmdTarget;
class CCmdUI;
class CDC;
class CWnd;

enum class MsgKind : unsigned char {
  End,
  Message,          // a window message
  Command,          // WM_COMMAND ids idFirst..idLast
  UpdateCommandUI,  // enabling / check mark of ids idFirst..idLast
  Notify,           // WM_NOTIFY from a child with id idFirst..idLast and this code
  NotifyReflect,    // a notification this window sent, reflected back to it
};

struct MsgArgs {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  UINT id = 0;
  CCmdUI* cmdUI = nullptr;
};

// Returns true when the entry handled the message; a "may pass on" handler can return false.
using MsgThunk = bool (*)(CCmdTarget* target, MsgArgs& args);

struct MsgMapEntry {
  MsgKind kind;
  UINT message;
  int code;
  UINT idFirst;
  UINT idLast;
  MsgThunk fn;
};

struct MsgMap {
  const MsgMap* (*base)();
  const MsgMapEntry* entries;
};

#define DECLARE_MESSAGE_MAP()               \
 public:                                    \
  static const MsgMap* GetThisMessageMap(); \
  const MsgMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)    \
  const MsgMap* theClass::GetMessageMap() const { \
    return GetThisMessageMap();                   \
  }                                               \
  const MsgMap* theClass::GetThisMessageMap() {   \
    using ThisClass [[maybe_unused]] = theClass;  \
    using TheBaseClass = baseClass;               \
    static const MsgMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                \
  { MsgKind::End, 0, 0, 0, 0, nullptr }                                  \
  }                                                                      \
  ;                                                                      \
  static const MsgMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                           \
  }

#define AFX_SELF static_cast<ThisClass*>(t)
#define AFX_MSG(msg, body) \
  {MsgKind::Message, msg, 0, 0, 0, [](CCmdTarget* t, [[maybe_unused]] MsgArgs& a) -> bool { body }},

// LRESULT Handler(WPARAM, LPARAM)
#define ON_MESSAGE(msg, fn) AFX_MSG(msg, a.result = AFX_SELF->fn(a.wParam, a.lParam); return true;)
// void OnCommand(); ids from the menus, toolbar and accelerators.
#define ON_COMMAND(id, fn)                                               \
  {MsgKind::Command, 0, 0, id, id, [](CCmdTarget* t, MsgArgs&) -> bool { \
     AFX_SELF->fn();                                                     \
     return true;                                                        \
   }},
#define ON_COMMAND_RANGE(idFirst, idLast, fn)               \
  {MsgKind::Command,                                        \
   0,                                                       \
   0,                                                       \
   idFirst,                                                 \
   idLast,                                                  \
   [](CCmdTarget* t, [[maybe_unused]] MsgArgs& a) -> bool { \
     AFX_SELF->fn(a.id);                                    \
     return true;                                           \
   }},
// void OnUpdateX(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, fn)                        \
  {MsgKind::UpdateCommandUI,                                \
   0,                                                       \
   0,                                                       \
   id,                                                      \
   id,                                                      \
   [](CCmdTarget* t, [[maybe_unused]] MsgArgs& a) -> bool { \
     AFX_SELF->fn(a.cmdUI);                                 \
     return true;                                           \
   }},
// void OnX(NMHDR*, LRESULT*)
#define ON_NOTIFY(code, id, fn)                                                               \
  {MsgKind::Notify, 0, code, id, id, [](CCmdTarget* t, [[maybe_unused]] MsgArgs& a) -> bool { \
     AFX_SELF->fn(reinterpret_cast<NMHDR*>(a.lParam), &a.result);                             \
     return true;                                                                             \
   }},
// void OnX(NMHDR*, LRESULT*): always handled, the parent does not see it.
#define ON_NOTIFY_REFLECT(code, fn)                                                                \
  {MsgKind::NotifyReflect, 0, code, 0, 0, [](CCmdTarget* t, [[maybe_unused]] MsgArgs& a) -> bool { \
     AFX_SELF->fn(reinterpret_cast<NMHDR*>(a.lParam), &a.result);                                  \
     return true;                                                                                  \
   }},
// BOOL OnX(NMHDR*, LRESULT*): "may pass on" - FALSE lets the parent handle it too.
#define ON_NOTIFY_REFLECT_EX(code, fn)                                                             \
  {MsgKind::NotifyReflect, 0, code, 0, 0, [](CCmdTarget* t, [[maybe_unused]] MsgArgs& a) -> bool { \
     return AFX_SELF->fn(reinterpret_cast<NMHDR*>(a.lParam), &a.result) != FALSE;                  \
   }},

#define ON_WM_CREATE()                                                                          \
  AFX_MSG(WM_CREATE, a.result = AFX_SELF->OnCreate(reinterpret_cast<LPCREATESTRUCT>(a.lParam)); \
          return true;)
#define ON_WM_DESTROY() AFX_MSG(WM_DESTROY, AFX_SELF->OnDestroy(); return true;)
#define ON_WM_TIMER() \
  AFX_MSG(WM_TIMER, AFX_SELF->OnTimer(static_cast<UINT_PTR>(a.wParam)); return true;)
#define ON_WM_ERASEBKGND()                                                                    \
  AFX_MSG(WM_ERASEBKGND, a.result = AFX_SELF->OnEraseBkgnd(reinterpret_cast<CDC*>(a.wParam)); \
          return true;)
#define ON_WM_HSCROLL()                                                       \
  AFX_MSG(WM_HSCROLL, AFX_SELF->OnHScroll(LOWORD(a.wParam), HIWORD(a.wParam), \
                                          reinterpret_cast<CWnd*>(a.lParam)); \
          return true;)
#define ON_WM_SYSCOLORCHANGE() \
  AFX_MSG(WM_SYSCOLORCHANGE, AFX_SELF->OnSysColorChange(); return true;)
#define ON_WM_SETFOCUS() \
  AFX_MSG(WM_SETFOCUS, AFX_SELF->OnSetFocus(reinterpret_cast<HWND>(a.wParam)); return true;)
#define ON_WM_KILLFOCUS() \
  AFX_MSG(WM_KILLFOCUS, AFX_SELF->OnKillFocus(reinterpret_cast<HWND>(a.wParam)); return true;)
#define AFX_MOUSE(msg, fn)                                                          \
  AFX_MSG(msg, AFX_SELF->fn(static_cast<UINT>(a.wParam),                            \
                            POINT{GET_X_LPARAM(a.lParam), GET_Y_LPARAM(a.lParam)}); \
          return true;)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_LBUTTONUP() AFX_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_KEYDOWN()                                                                     \
  AFX_MSG(WM_KEYDOWN,                                                                       \
          AFX_SELF->OnKeyDown(static_cast<UINT>(a.wParam), 1, static_cast<UINT>(a.lParam)); \
          return true;)
#define ON_WM_KEYUP()                                                                     \
  AFX_MSG(WM_KEYUP,                                                                       \
          AFX_SELF->OnKeyUp(static_cast<UINT>(a.wParam), 1, static_cast<UINT>(a.lParam)); \
          return true;)
#define ON_WM_CONTEXTMENU()                                                               \
  AFX_MSG(WM_CONTEXTMENU,                                                                 \
          AFX_SELF->OnContextMenu(reinterpret_cast<HWND>(a.wParam),                       \
                                  POINT{GET_X_LPARAM(a.lParam), GET_Y_LPARAM(a.lParam)}); \
          return true;)
