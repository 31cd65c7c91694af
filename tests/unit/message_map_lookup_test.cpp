// Message tables are searched once per class and message and the answer kept: a kept answer
// must never leak from one class to another, and a flood of distinct commands must not change
// what any command finds.
#include <gtest/gtest.h>

#include "platform/afx/CWnd.h"

namespace {

class LookupBase : public CWnd {
  DECLARE_MESSAGE_MAP()
 public:
  int baseTimer = 0;
  int baseCommand = 0;
  void OnTimer(UINT_PTR) { ++baseTimer; }
  void OnBaseCommand() { ++baseCommand; }
};
BEGIN_MESSAGE_MAP(LookupBase, CWnd)
ON_WM_TIMER()
ON_COMMAND(100, OnBaseCommand)
END_MESSAGE_MAP()

class LookupOverriding : public LookupBase {
  DECLARE_MESSAGE_MAP()
 public:
  int ownTimer = 0;
  void OnTimer(UINT_PTR) { ++ownTimer; }
};
BEGIN_MESSAGE_MAP(LookupOverriding, LookupBase)
ON_WM_TIMER()
END_MESSAGE_MAP()

class LookupInheriting : public LookupBase {
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(LookupInheriting, LookupBase)
END_MESSAGE_MAP()

TEST(MessageMapLookup, EachClassKeepsItsOwnHandlerWhicheverIsAskedFirst) {
  LookupBase base;
  LookupOverriding overriding;
  LookupInheriting inheriting;
  ASSERT_TRUE(base.Create("Generic", "", WS_CHILD, RECT{}, nullptr, 1));
  ASSERT_TRUE(overriding.Create("Generic", "", WS_CHILD, RECT{}, nullptr, 2));
  ASSERT_TRUE(inheriting.Create("Generic", "", WS_CHILD, RECT{}, nullptr, 3));
  for (int round = 0; round < 2; ++round) {
    base.SendMessage(WM_TIMER, 1, 0);
    overriding.SendMessage(WM_TIMER, 1, 0);
    inheriting.SendMessage(WM_TIMER, 1, 0);
  }
  EXPECT_EQ(base.baseTimer, 2);
  EXPECT_EQ(overriding.ownTimer, 2);
  EXPECT_EQ(overriding.baseTimer, 0);
  EXPECT_EQ(inheriting.baseTimer, 2);
}

TEST(MessageMapLookup, ManyDistinctCommandsLeaveEveryAnswerRight) {
  LookupInheriting wnd;
  ASSERT_TRUE(wnd.Create("Generic", "", WS_CHILD, RECT{}, nullptr, 1));
  // More distinct unhandled commands than answers are kept, then the handled one again.
  for (UINT id = 1000; id < 1000 + 10000; ++id) EXPECT_FALSE(wnd.OnCmdMsg(id, CN_COMMAND, nullptr));
  EXPECT_TRUE(wnd.OnCmdMsg(100, CN_COMMAND, nullptr));
  EXPECT_EQ(wnd.baseCommand, 1);
  EXPECT_FALSE(wnd.OnCmdMsg(1000, CN_COMMAND, nullptr));
}

}  // namespace
