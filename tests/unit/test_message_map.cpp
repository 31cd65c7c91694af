#include <gtest/gtest.h>

#include "platform/afx/CWnd.h"

namespace {

class BaseWnd : public CWnd {
  DECLARE_MESSAGE_MAP()
 public:
  int baseTimer = 0;
  void OnTimer(UINT_PTR) { ++baseTimer; }
};
BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
  DECLARE_MESSAGE_MAP()
 public:
  int derivedTimer = 0;
  void OnTimer(UINT_PTR) { ++derivedTimer; }
};
BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntryReplacesBaseEntry) {
  DerivedWnd derived;
  ASSERT_TRUE(derived.Create("Generic", "", WS_CHILD, RECT{}, nullptr, 1));
  derived.SendMessage(WM_TIMER, 1, 0);
  EXPECT_EQ(derived.derivedTimer, 1);
  EXPECT_EQ(derived.baseTimer, 0);

  BaseWnd base;
  ASSERT_TRUE(base.Create("Generic", "", WS_CHILD, RECT{}, nullptr, 2));
  base.SendMessage(WM_TIMER, 1, 0);
  EXPECT_EQ(base.baseTimer, 1);
}

}  // namespace
