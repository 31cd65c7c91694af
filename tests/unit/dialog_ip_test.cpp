#include <array>
#include <string>

#include "dialog_test_fixture.h"
#include "dialogs/CInputIPDlg.h"

namespace {

using Octets = std::array<int, 4>;

Octets Of(const BYTE b[4]) {
  return {b[0], b[1], b[2], b[3]};
}

struct ParseCase {
  const char* name;
  const char* text;
  Octets octets;
};

TEST(InputIPParsing, TextsBecomeOctetsAsTokenizerAndAtoiRead) {
  const ParseCase cases[] = {
      {"dotted quad", "192.168.0.10", {192, 168, 0, 10}},
      {"all zero", "0.0.0.0", {0, 0, 0, 0}},
      {"dots in a row count as one", "..10...0.0..5.", {10, 0, 0, 5}},
      {"low eight bits", "256.511.-1.300", {0, 255, 255, 44}},
      {"leading blanks, sign, digits up to the first other", " 7.+8.9x.x9", {7, 8, 9, 0}},
      {"at most four octets", "1.2.3.4.5", {1, 2, 3, 4}},
      {"missing octets are zero", "10.1", {10, 1, 0, 0}},
      {"empty", "", {0, 0, 0, 0}},
      {"huge number saturates", "99999999999999999999.1.1.1", {255, 1, 1, 1}},
  };
  for (const ParseCase& c : cases) {
    BYTE octets[4] = {9, 9, 9, 9};
    CInputIPDlg::ParseOctets(c.text, octets);
    EXPECT_EQ(Of(octets), c.octets) << c.name;
  }
}

class InputIPDialog : public DialogTest {
 protected:
  // Shows the dialog for one row and lets the step act in it.
  INT_PTR Show(CInputIPDlg& dlg, const char* ip, const char* mask, const char* gateway,
               ScriptedModalDriver::DialogStep step) {
    dlg.m_strIP = ip;
    dlg.m_strMask = mask;
    dlg.m_strGateway = gateway;
    driver.ExpectDialog(9, std::move(step));
    return dlg.DoModal();
  }
};

TEST_F(InputIPDialog, OpensWithTheRowValuesAndTheFocusInTheFirstControl) {
  CInputIPDlg dlg;
  Show(dlg, "192.168.0.10", "255.255.255.0", "0.0.0.0", [](CDialog& d) {
    EXPECT_EQ(GetFocus(), GetDlgItem(d.m_hWnd, 1000));
    User::Click(d, IDCANCEL);
  });
  const auto& shown = driver.Prompts().at(0);
  EXPECT_EQ(shown.ControlText(1000), "192.168.0.10");
  EXPECT_EQ(shown.ControlText(1001), "255.255.255.0");
  EXPECT_EQ(shown.ControlText(1002), "0.0.0.0");
  EXPECT_EQ(shown.result, IDCANCEL);
}

struct FlagCase {
  const char* name;
  const char* gateway;                 // given
  std::function<void(CDialog&)> edit;  // what the user does before Confirm
  std::array<int, 3> flags;            // IP, mask, gateway
  Octets newMask;
  Octets newGateway;
};

TEST_F(InputIPDialog, ConfirmSetsEachFlagFromTheFinalValues) {
  const FlagCase cases[] = {
      {"untouched", "10.0.0.1", [](CDialog&) {}, {0, 0, 0}, {255, 255, 255, 0}, {10, 0, 0, 1}},
      {"last mask octet only",
       "10.0.0.1",
       [](CDialog& d) {
         SendMessage(GetDlgItem(d.m_hWnd, 1001), IPM_SETFOCUS, 3, 0);
         User::Type(d, 1001, "128");
       },
       {0, 1, 0},
       {255, 255, 255, 128},
       {10, 0, 0, 1}},
      {"gateway cleared",
       "10.0.0.1",
       [](CDialog& d) { SendMessage(GetDlgItem(d.m_hWnd, 1002), IPM_CLEARADDRESS, 0, 0); },
       {0, 0, 1},
       {255, 255, 255, 0},
       {0, 0, 0, 0}},
      {"gateway cleared when it was 0.0.0.0",
       "0.0.0.0",
       [](CDialog& d) { SendMessage(GetDlgItem(d.m_hWnd, 1002), IPM_CLEARADDRESS, 0, 0); },
       {0, 0, 0},
       {255, 255, 255, 0},
       {0, 0, 0, 0}},
      {"typed back to the same value",
       "10.0.0.1",
       [](CDialog& d) {
         User::Type(d, 1002, "11");
         User::Type(d, 1002, "\b\b10");
       },
       {0, 0, 0},
       {255, 255, 255, 0},
       {10, 0, 0, 1}},
  };
  for (const FlagCase& c : cases) {
    CInputIPDlg dlg;
    auto edit = c.edit;
    INT_PTR result = Show(dlg, "10.0.0.5", "255.255.255.0", c.gateway, [edit](CDialog& d) {
      edit(d);
      User::Click(d, IDOK);
    });
    EXPECT_EQ(result, IDOK) << c.name;
    EXPECT_EQ(Of(dlg.m_newIP), (Octets{10, 0, 0, 5})) << c.name;
    EXPECT_EQ(Of(dlg.m_newMask), c.newMask) << c.name;
    EXPECT_EQ(Of(dlg.m_newGateway), c.newGateway) << c.name;
    EXPECT_EQ((std::array<int, 3>{dlg.m_bIPChanged, dlg.m_bMaskChanged, dlg.m_bGatewayChanged}),
              c.flags)
        << c.name;
  }
}

TEST_F(InputIPDialog, ReusedForASecondRowComparesWithThatRowsValues) {
  CInputIPDlg dlg;
  Show(dlg, "10.0.0.5", "255.0.0.0", "10.0.0.1", [](CDialog& d) {
    User::Type(d, 1000, "10.0.0.6");
    User::PressKey(d, VK_RETURN);
  });
  EXPECT_EQ(dlg.m_bIPChanged, 1);
  EXPECT_EQ(Of(dlg.m_newIP), (Octets{10, 0, 0, 6}));

  INT_PTR second =
      Show(dlg, "10.0.0.6", "255.255.0.0", "10.0.0.254", [](CDialog& d) { User::Click(d, IDOK); });
  EXPECT_EQ(second, IDOK);
  EXPECT_EQ(driver.Prompts().at(1).ControlText(1000), "10.0.0.6");
  EXPECT_EQ(driver.Prompts().at(1).ControlText(1001), "255.255.0.0");
  EXPECT_EQ((std::array<int, 3>{dlg.m_bIPChanged, dlg.m_bMaskChanged, dlg.m_bGatewayChanged}),
            (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(Of(dlg.m_newGateway), (Octets{10, 0, 0, 254}));
}

TEST_F(InputIPDialog, CancelLeavesThePreviousResultsInPlace) {
  CInputIPDlg dlg;
  Show(dlg, "10.0.0.5", "255.0.0.0", "10.0.0.1", [](CDialog& d) {
    User::Type(d, 1000, "10.0.0.6");
    User::Click(d, IDOK);
  });
  for (UINT key : {VK_ESCAPE, 0u}) {
    INT_PTR result = Show(dlg, "1.1.1.1", "255.0.0.0", "1.1.1.254", [key](CDialog& d) {
      User::Type(d, 1000, "2.2.2.2");
      if (key == VK_ESCAPE)
        User::PressKey(d, VK_ESCAPE);
      else
        SendMessage(d.m_hWnd, WM_CLOSE, 0, 0);  // the close box
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Of(dlg.m_newIP), (Octets{10, 0, 0, 6}));
    EXPECT_EQ(dlg.m_bIPChanged, 1);
  }
}

TEST_F(InputIPDialog, EnterInAnIpFieldConfirms) {
  CInputIPDlg dlg;
  INT_PTR result = Show(dlg, "10.0.0.5", "255.0.0.0", "10.0.0.1", [](CDialog& d) {
    User::Type(d, 1001, "255.255.0.0");
    User::PressKey(d, VK_RETURN);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_bMaskChanged, 1);
  EXPECT_EQ(Of(dlg.m_newMask), (Octets{255, 255, 0, 0}));
}

}  // namespace
