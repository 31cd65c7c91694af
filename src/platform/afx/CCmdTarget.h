// Base of every object that takes commands: holds the message table lookup.
#pragma once

#include "MessageMap.h"

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;

  static const MsgMap* GetThisMessageMap();
  virtual const MsgMap* GetMessageMap() const;

  // Routes a command (nCode CN_COMMAND) or its update (CN_UPDATE_COMMAND_UI, pExtra = CCmdUI*).
  // Returns true when some handler took it.
  virtual bool OnCmdMsg(UINT nID, int nCode, void* pExtra);

 protected:
  // First entry of the table chain that matches, or null.
  const MsgMapEntry* FindEntry(MsgKind kind, UINT message, int code, UINT id) const;
};

// Enables and checks the user-interface element of one command.
class CCmdUI {
 public:
  virtual ~CCmdUI() = default;
  UINT m_nID = 0;
  UINT m_nIndex = 0;
  bool m_bEnableChanged = false;
  bool m_bContinueRouting = false;

  virtual void Enable(BOOL on = TRUE) = 0;
  virtual void SetCheck(int check = 1) = 0;
  void ContinueRouting() { m_bContinueRouting = true; }

  // Asks target for an update handler; without one, a command that has no handler is disabled.
  void DoUpdate(CCmdTarget* target, bool disableIfNoHandler);
};

// A CCmdUI that just keeps what the handler said (menus and toolbars copy it to their items).
class CStateCmdUI : public CCmdUI {
 public:
  bool enabled = true;
  int check = 0;
  void Enable(BOOL on = TRUE) override {
    enabled = on != FALSE;
    m_bEnableChanged = true;
  }
  void SetCheck(int c = 1) override { check = c; }
};
