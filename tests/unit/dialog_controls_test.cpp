#include <gtest/gtest.h>

#include <string>

#include "platform/afx/SecureWipe.h"
#include "platform/afx/StandardControls.h"
#include "platform/afx/WindowSystem.h"

namespace {

class DialogControls : public ::testing::Test {
 protected:
  void SetUp() override { RegisterDialogControls(); }
  void TearDown() override { ResetWindowSystem(); }

  HWND Make(const char* className, DWORD style, const char* text = "") {
    HWND h = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20,
                             nullptr, 7);
    SetFocus(h);
    return h;
  }
  static void Type(HWND h, const std::u32string& text) {
    for (char32_t c : text) SendMessage(h, WM_CHAR, static_cast<WPARAM>(c), 0);
  }
  static std::string TypedInto(HWND h, const std::u32string& text) {
    Type(h, text);
    return h->text;
  }
};

struct IpCase {
  const char* name;
  std::u32string typed;
  const char* text;
  DWORD address;
  int filled;
};

TEST_F(DialogControls, IpAddressFieldsTakeDigitsUpTo255AndMoveOnWithDot) {
  const IpCase cases[] = {
      {"full address", U"10.0.0.5", "10.0.0.5", 0x0A000005, 4},
      {"256 refused", U"256", "25...", 0x19000000, 1},
      {"letters refused", U"1a2b", "12...", 0x0C000000, 1},
      {"three digits move on", U"1234", "123.4..", 0x7B040000, 2},
      {"dot after moving on by itself", U"192.168.1.1", "192.168.1.1", 0xC0A80101, 4},
      {"dot in a blank field stays", U"1..2", "1.2..", 0x01020000, 2},
      {"backspace crosses into the field before", U"1.2\b\b3", "3...", 0x03000000, 1},
      {"no fifth field", U"1.2.3.4.5", "1.2.3.45", 0x0102032D, 4},
  };
  for (const IpCase& c : cases) {
    HWND ip = Make("SysIPAddress32", WS_TABSTOP);
    EXPECT_EQ(TypedInto(ip, c.typed), c.text) << c.name;
    DWORD address = 0xDEADBEEF;
    EXPECT_EQ(SendMessage(ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), c.filled)
        << c.name;
    EXPECT_EQ(address, c.address) << c.name;
    DestroyWindow(ip);
  }
}

TEST_F(DialogControls, IpAddressSetClearAndBlank) {
  HWND ip = Make("SysIPAddress32", 0);
  EXPECT_NE(SendMessage(ip, IPM_ISBLANK, 0, 0), 0);
  SendMessage(ip, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 0, 10));
  EXPECT_EQ(ip->text, "192.168.0.10");
  EXPECT_EQ(SendMessage(ip, IPM_ISBLANK, 0, 0), 0);
  // Entering a field selects it: typing replaces the old value.
  SendMessage(ip, IPM_SETFOCUS, 2, 0);
  Type(ip, U"7");
  EXPECT_EQ(ip->text, "192.168.7.10");
  SendMessage(ip, IPM_CLEARADDRESS, 0, 0);
  DWORD address = 1;
  EXPECT_EQ(SendMessage(ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), 0);
  EXPECT_EQ(address, 0u);
  // Text it could not have shown itself reads as blank fields.
  SendMessage(ip, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1.300.x"));
  EXPECT_EQ(ip->text, "1...");
}

struct EditCase {
  const char* name;
  DWORD style;
  std::size_t limit;
  std::u32string typed;
  const char* text;
};

TEST_F(DialogControls, EditTypingKeepsTheByteLimitAndCase) {
  const EditCase cases[] = {
      {"upper case typed", ES_UPPERCASE, 17, U"0a-bc", "0A-BC"},
      {"limit in bytes", 0, 8, U"123456789", "12345678"},
      {"two-byte character does not fit the last byte", 0, 8, U"1234567\u00e9", "1234567"},
      {"two-byte character fits", 0, 8, U"123456\u00e9x", "123456\u00e9"},
      {"backspace takes a whole character", 0, 8, U"ab\u4e2d\b", "ab"},
      {"control characters are not text", 0, 8,
       U"a\r\t\x1b"
       U"b",
       "ab"},
  };
  for (const EditCase& c : cases) {
    HWND edit = Make("Edit", c.style);
    SendMessage(edit, EM_LIMITTEXT, c.limit, 0);
    EXPECT_EQ(TypedInto(edit, c.typed), c.text) << c.name;
    DestroyWindow(edit);
  }
}

TEST_F(DialogControls, EditPlacedTextIsNeitherLimitedNorConverted) {
  HWND edit = Make("Edit", ES_UPPERCASE);
  SendMessage(edit, EM_LIMITTEXT, 4, 0);
  SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef"));
  EXPECT_EQ(edit->text, "abcdef");
  // Over the limit already: nothing more can be typed, but deleting works.
  SendMessage(edit, EM_SETSEL, 100, 100);  // caret at the end
  Type(edit, U"g\b");
  EXPECT_EQ(edit->text, "abcde");
}

TEST_F(DialogControls, EditPasteIsCutAtTheLimitWithoutSplittingACharacter) {
  struct Case {
    const char* name;
    const char* before;
    bool selectAll;
    const char* pasted;
    const char* after;
  } cases[] = {
      {"cut at the limit", "", false, "123456789", "12345678"},
      {"never half a character", "123456", false, "7\u00e9", "1234567"},
      {"first line only", "", false, "ab\r\ncd", "ab"},
      {"replaces the selection", "12345678", true, "xyz", "xyz"},
  };
  for (const Case& c : cases) {
    HWND edit = Make("Edit", ES_PASSWORD);
    SendMessage(edit, EM_LIMITTEXT, 8, 0);
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.before));
    if (c.selectAll)
      SendMessage(edit, EM_SETSEL, 0, -1);
    else
      SendMessage(edit, EM_SETSEL, 100, 100);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.pasted));
    EXPECT_EQ(edit->text, c.after) << c.name;
    DestroyWindow(edit);
  }
}

TEST_F(DialogControls, ButtonClickIsACommandToTheParent) {
  struct Parent : WindowControl {
    WPARAM last = 0;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM) override {
      if (message == WM_COMMAND) last = wParam;
      return 0;
    }
  };
  RegisterWindowClass("TestParent", [](HWND) { return std::make_unique<Parent>(); });
  HWND parent = CreateWindowExA(0, "TestParent", "", 0, 0, 0, 10, 10, nullptr, 0);
  auto* p = static_cast<Parent*>(parent->control.get());
  HWND button = CreateWindowExA(0, "Button", "Confirm", WS_CHILD | BS_DEFPUSHBUTTON, 0, 0, 10, 10,
                                parent, IDOK);
  HWND group = CreateWindowExA(0, "Button", "Input", WS_CHILD | BS_GROUPBOX, 0, 0, 10, 10, parent,
                               static_cast<UINT>(-1));
  SendMessage(group, BM_CLICK, 0, 0);
  EXPECT_EQ(p->last, 0u) << "a group box is no button";
  SendMessage(button, BM_CLICK, 0, 0);
  EXPECT_EQ(p->last, MAKEWPARAM(IDOK, BN_CLICKED));
  p->last = 0;
  SetWindowStyle(button, button->style | WS_DISABLED);
  SendMessage(button, BM_CLICK, 0, 0);
  EXPECT_EQ(p->last, 0u) << "a disabled button does not click";
}

TEST(SecureWipe, ZeroesTheWholeBufferItStillOwns) {
  std::string secret = "hunter22";
  secret.reserve(32);
  const char* buffer = secret.data();
  const std::size_t capacity = secret.capacity();
  SecureWipe(secret);
  EXPECT_TRUE(secret.empty());
  ASSERT_EQ(secret.data(), buffer) << "wiped in place, not reallocated";
  for (std::size_t i = 0; i < capacity; ++i) EXPECT_EQ(buffer[i], '\0') << i;
}

}  // namespace
