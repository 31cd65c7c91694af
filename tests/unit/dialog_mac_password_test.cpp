#include <string>

#include "dialog_test_fixture.h"
#include "dialogs/CInputMACDlg.h"
#include "dialogs/CInputPasswordDlg.h"

namespace {

constexpr int kMacField = 1004;
constexpr int kPasswordField = 1001;

class InputMACDialog : public DialogTest {
 protected:
  INT_PTR Show(CInputMACDlg& dlg, const std::string& mac, ScriptedModalDriver::DialogStep step) {
    dlg.m_strMAC = mac;
    driver.ExpectDialog(152, std::move(step));
    return dlg.DoModal();
  }
};

TEST_F(InputMACDialog, EnterAtOnceConfirmsTheTextUnchangedBecauseConfirmHasTheFocus) {
  CInputMACDlg dlg;
  INT_PTR result = Show(dlg, "00-1A-2B-3C-4D-5E", [](CDialog& d) {
    EXPECT_EQ(GetFocus(), GetDlgItem(d.m_hWnd, IDOK));
    User::PressKey(d, VK_RETURN);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_strMAC, "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(driver.Prompts().at(0).ControlText(kMacField), "00-1A-2B-3C-4D-5E");
}

TEST_F(InputMACDialog, PlacedTextStaysAsGivenWhileTypedLettersBecomeCapitals) {
  CInputMACDlg dlg;
  Show(dlg, "00-1a-2b", [](CDialog& d) {
    EXPECT_EQ(User::Text(d, kMacField), "00-1a-2b");
    User::Type(d, kMacField, "-3c");
    User::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.m_strMAC, "00-1a-2b-3C");
}

TEST_F(InputMACDialog, AnEighteenthCharacterCanNeitherBeTypedNorPasted) {
  CInputMACDlg dlg;
  Show(dlg, "00-1A-2B-3C-4D-5", [](CDialog& d) {
    User::Type(d, kMacField, "ef");
    EXPECT_EQ(User::Text(d, kMacField), "00-1A-2B-3C-4D-5E");
    User::Paste(d, kMacField, "FF");
    EXPECT_EQ(User::Text(d, kMacField), "00-1A-2B-3C-4D-5E");
    User::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.m_strMAC, "00-1A-2B-3C-4D-5E");
}

TEST_F(InputMACDialog, TextWithoutDashesIsReturnedAsTyped) {
  CInputMACDlg dlg;
  Show(dlg, "00-1A-2B-3C-4D-5E", [](CDialog& d) {
    User::SetText(d, kMacField, "");
    User::Type(d, kMacField, "001a2b3c4d5e");
    User::PressKey(d, VK_RETURN);  // the focus is in the field: the default button answers
  });
  EXPECT_EQ(dlg.m_strMAC, "001A2B3C4D5E");
}

TEST_F(InputMACDialog, OverLongTextIsRefusedWithTheMessageAndTheDialogStaysOpen) {
  CInputMACDlg dlg;
  dlg.m_strMAC = "00-1A-2B-3C-4D-5E-6F";
  driver.ExpectDialog(152, [](CDialog& d) {
    User::Click(d, IDOK);
    EXPECT_FALSE(d.IsModalEnded());
    EXPECT_EQ(GetFocus(), GetDlgItem(d.m_hWnd, kMacField));
    // The whole text is selected: typing replaces it.
    User::Type(d, kMacField, "aa-bb");
    User::Click(d, IDOK);
  });
  driver.AnswerMessageBox(IDOK);  // comes up inside the dialog step
  INT_PTR result = dlg.DoModal();
  ASSERT_EQ(driver.Prompts().size(), 2u);
  const auto& box = driver.Prompts().at(1);
  EXPECT_EQ(box.kind, ScriptedModalDriver::Prompt::Kind::MessageBox);
  EXPECT_EQ(box.text, "Please enter no more than 17 characters.");
  EXPECT_EQ(box.caption, "Lanorix");
  EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_strMAC, "AA-BB");
}

TEST_F(InputMACDialog, CancelAndEscapeAndCloseBoxEndWithCancel) {
  for (int how = 0; how < 3; ++how) {
    CInputMACDlg dlg;
    INT_PTR result = Show(dlg, "00-1A-2B-3C-4D-5E", [how](CDialog& d) {
      User::Type(d, kMacField, "x");
      if (how == 0) User::Click(d, IDCANCEL);
      if (how == 1) User::PressKey(d, VK_ESCAPE);
      if (how == 2) SendMessage(d.m_hWnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL) << how;
    EXPECT_EQ(dlg.m_strMAC, "00-1A-2B-3C-4D-5E") << how;
  }
}

class InputPasswordDialog : public DialogTest {
 protected:
  INT_PTR Ask(std::string& password, ScriptedModalDriver::DialogStep step) {
    CInputPasswordDlg dlg;
    dlg.m_strPassword = "";
    driver.ExpectDialog(146, std::move(step));
    INT_PTR result = dlg.DoModal();
    password = dlg.m_strPassword;
    return result;
  }
};

TEST_F(InputPasswordDialog, FieldIsEmptyAndFocusedEveryTime) {
  std::string first, second;
  Ask(first, [](CDialog& d) {
    EXPECT_EQ(GetFocus(), GetDlgItem(d.m_hWnd, kPasswordField));
    User::Type(d, kPasswordField, "secret");
    User::PressKey(d, VK_RETURN);
  });
  Ask(second, [](CDialog& d) {
    EXPECT_EQ(User::Text(d, kPasswordField), "");
    User::PressKey(d, VK_RETURN);
  });
  EXPECT_EQ(first, "secret");
  EXPECT_EQ(second, "");
  EXPECT_EQ(driver.Prompts().at(1).result, IDOK) << "an empty password is confirmed";
}

TEST_F(InputPasswordDialog, LimitIsEightBytesAndNeverSplitsACharacter) {
  struct Case {
    const char* name;
    const char* typed;
    const char* pasted;
    const char* result;
  } cases[] = {
      {"ninth byte typed", "123456789", "", "12345678"},
      {"ninth byte pasted", "1234", "56789", "12345678"},
      {"two-byte character over the limit", "1234567\u00e9", "", "1234567"},
      {"two-byte character pasted at the limit", "1234567", "\u00e9", "1234567"},
      {"two-byte characters filling the limit", "\u00e9\u00e9\u00e9\u00e9x", "",
       "\u00e9\u00e9\u00e9\u00e9"},
  };
  for (const Case& c : cases) {
    std::string password;
    std::string typed = c.typed, pasted = c.pasted;
    Ask(password, [typed, pasted](CDialog& d) {
      User::Type(d, kPasswordField, typed);
      if (!pasted.empty()) User::Paste(d, kPasswordField, pasted);
      User::Click(d, IDOK);
    });
    EXPECT_EQ(password, c.result) << c.name;
  }
}

TEST_F(InputPasswordDialog, OverLongGivenPasswordIsRefusedWithTheLimitInTheMessage) {
  CInputPasswordDlg dlg;
  dlg.m_strPassword = "123456789";
  driver.ExpectDialog(146, [](CDialog& d) {
    User::PressKey(d, VK_RETURN);
    EXPECT_FALSE(d.IsModalEnded());
    User::Click(d, IDCANCEL);
  });
  driver.AnswerMessageBox();
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(driver.Prompts().at(1).text, "Please enter no more than 8 characters.");
}

TEST_F(InputPasswordDialog, TheDriverRecordsNoPasswordText) {
  CInputPasswordDlg dlg;
  dlg.m_strPassword = "given";
  driver.ExpectDialog(146, [](CDialog& d) { User::Click(d, IDCANCEL); });
  dlg.DoModal();
  EXPECT_EQ(driver.Prompts().at(0).ControlText(kPasswordField), "*****");
}

}  // namespace
