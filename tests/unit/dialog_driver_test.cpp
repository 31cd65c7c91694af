#include <string>

#include "dialog_test_fixture.h"
#include "platform/afx/CDataExchange.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/CWnd.h"

namespace {

// A window whose timer ticks are counted.
class TickingWnd : public CWnd {
  DECLARE_MESSAGE_MAP()
 public:
  int ticks = 0;
  void OnTimer(UINT_PTR) { ++ticks; }
};
BEGIN_MESSAGE_MAP(TickingWnd, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

class ModalDriverTest : public DialogTest {};

TEST_F(ModalDriverTest, TimersKeepRunningWhileADialogIsOpen) {
  TickingWnd view;
  ASSERT_TRUE(view.Create("Generic", "", WS_CHILD, RECT{}, nullptr, 1));
  view.SetTimer(1, 5000);
  CDialog dlg(146);
  driver.ExpectDialog(146, [&](CDialog& d) {
    clock.Advance(5000);
    EXPECT_EQ(view.ticks, 1);
    User::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(ModalDriverTest, UnscriptedPromptsAreCancelledAndReported) {
  CDialog dlg(152);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(AfxMessageBox("Socket port '4000' Open fail"), IDCANCEL);
  driver.ExpectDialog(146, [](CDialog&) {});  // leaves the dialog open
  CDialog password(146);
  EXPECT_EQ(password.DoModal(), IDCANCEL);
  ASSERT_EQ(driver.Errors().size(), 3u);
  EXPECT_NE(driver.Errors()[0].find("152"), std::string::npos);
  EXPECT_NE(driver.Errors()[1].find("Open fail"), std::string::npos);
  EXPECT_NE(driver.Errors()[2].find("left open"), std::string::npos);
  EXPECT_EQ(driver.Prompts().at(1).caption, "Lanorix");
  EXPECT_EQ(driver.Prompts().at(1).type & MB_ICONMASK, MB_ICONEXCLAMATION);
  driver = ScriptedModalDriver();  // these errors were the point of the test
}

TEST_F(ModalDriverTest, WithoutDriverOrTemplateNoDialogIsShown) {
  CDialog missing(4242);
  EXPECT_EQ(missing.DoModal(), -1);
  AfxServices().modal = nullptr;
  CDialog dlg(146);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  AfxServices().modal = &driver;
}

TEST_F(ModalDriverTest, ControlsAreCreatedInTemplateOrderAtMappedPositions) {
  CDialog dlg(9);
  driver.ExpectDialog(9, [](CDialog& d) {
    const auto& controls = d.GetControlWindows();
    ASSERT_EQ(controls.size(), 8u);
    EXPECT_EQ(GetDlgCtrlID(controls[0]), 1000);
    EXPECT_EQ(controls[0]->className, "SysIPAddress32");
    EXPECT_EQ(GetDlgCtrlID(controls[3]), IDOK);
    EXPECT_EQ(GetDlgCtrlID(controls[5]), -1);
    // Headless base units 7 x 16: x = du * 7 / 4, y = du * 16 / 8, rounded.
    EXPECT_EQ(controls[0]->rect, (RECT{21, 36, 21 + 175, 36 + 24}));
    RECT client;
    GetClientRect(d.m_hWnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 217, 276}));
    EXPECT_EQ(d.m_hWnd->text, "Dialog Frame");
    // Tab order: creation order, group boxes skipped, wrapping round.
    HWND h = controls[0];
    std::vector<int> order;
    for (int i = 0; i < 6; ++i) {
      order.push_back(GetDlgCtrlID(h));
      h = d.GetNextDlgTabItem(h);
    }
    EXPECT_EQ(order, (std::vector<int>{1000, 1001, 1002, IDOK, IDCANCEL, 1000}));
    User::PressKey(d, VK_TAB);
    EXPECT_EQ(GetFocus(), controls[1]);
    User::Click(d, IDCANCEL);
  });
  dlg.DoModal();
}

TEST_F(ModalDriverTest, FocusGoesBackWhereItWasWhenTheDialogCloses) {
  CWnd list;
  ASSERT_TRUE(list.Create("Generic", "", WS_CHILD | WS_TABSTOP, RECT{}, nullptr, 1));
  list.SetFocus();
  CDialog dlg(146);
  driver.ExpectDialog(146, [&](CDialog& d) {
    EXPECT_NE(GetFocus(), list.m_hWnd);
    User::PressKey(d, VK_ESCAPE);
  });
  dlg.DoModal();
  EXPECT_EQ(GetFocus(), list.m_hWnd);
}

// OnInitDialog returning FALSE keeps the focus where it put it.
class FocusOnCancelDlg : public CDialog {
 public:
  FocusOnCancelDlg() : CDialog(146) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    ::SetFocus(::GetDlgItem(m_hWnd, IDCANCEL));
    return FALSE;
  }
};

TEST_F(ModalDriverTest, InitDialogReturningFalseKeepsItsOwnFocus) {
  FocusOnCancelDlg dlg;
  driver.ExpectDialog(146, [](CDialog& d) {
    EXPECT_EQ(GetFocus(), GetDlgItem(d.m_hWnd, IDCANCEL));
    User::PressKey(d, VK_RETURN);  // Enter on a focused push button presses that button
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(ModalDriverTest, EditChangeNotificationIsNoCommand) {
  // An edit whose id is IDOK: its change notification must not confirm the dialog.
  CDialog dlg(146);
  driver.ExpectDialog(146, [](CDialog& d) {
    SendMessage(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, EN_CHANGE), 0);
    EXPECT_FALSE(d.IsModalEnded());
    User::Click(d, IDOK);
    EXPECT_TRUE(d.IsModalEnded());
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

}  // namespace
