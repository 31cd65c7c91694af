// Modify MAC: the MAC dialog and a password prompt per selected row, one set-MAC datagram that
// names the device by its IP address; Cancel in the MAC dialog ends the command.
#include "command_fixture.h"
#include "view/CommandMacText.h"

namespace commandtest {
namespace {

constexpr UINT ID_MODIFY_MAC = CTarvexView::ID_MODIFY_MAC;
const std::string kRefused = kTypedMACAddressForm;

using ModifyMAC = CommandTest;

TEST_F(ModifyMAC, SendsTheNewMacToTheDeviceNamedByItsAddress) {
  AddRows({Device{"Lab", "10.0.0.5", "255.0.0.0", "10.0.0.1", "00-00-00-00-00-07", "1.20"}});
  Select({0});
  ExpectMAC("00-1a-2b-3c-4d-5e");
  ExpectPassword("pw");
  Run(ID_MODIFY_MAC);
  EXPECT_EQ(CommandsSent(),
            (std::vector<Bytes>{Datagram('<', {{4, {0x0A, 0x00, 0x00, 0x05}},
                                               {12, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
                                               {42, Text("pw")}})}));
  EXPECT_EQ(Shown(IDD_MAC).at(0)->ControlText(IDC_MAC), "00-00-00-00-00-07");
}

TEST_F(ModifyMAC, ConfirmingWithoutEditingSendsThePresentMacBack) {
  AddRows({kLab2});
  Select({0});
  ExpectMAC(nullptr);
  ExpectPassword("");
  Run(ID_MODIFY_MAC);
  EXPECT_EQ(CommandsSent(),
            (std::vector<Bytes>{
                Datagram('<', {{4, {10, 0, 0, 6}}, {12, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x02}}})}));
}

TEST_F(ModifyMAC, CancelInTheMacDialogEndsTheCommandWithoutEmptyingOrScanning) {
  AddRows({kLab1, kLab2, kLab3});
  Select({0, 1, 2});
  ExpectMAC("00-1A-2B-3C-4D-11");
  ExpectPassword("pw");
  ExpectCancel(IDD_MAC);
  Run(ID_MODIFY_MAC);
  EXPECT_EQ(CommandsSent().size(), 1u) << "the first row's datagram is gone already";
  EXPECT_EQ(Shown(IDD_MAC).size(), 2u) << "no dialog for the third row";
  EXPECT_EQ(Rows(), 3);
  EXPECT_FALSE(RescanRunning());
  EXPECT_EQ(clock.SleptMs(), 0u);
}

TEST_F(ModifyMAC, CancelInThePasswordDialogGoesOnWithTheNextRow) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  ExpectMAC("00-1A-2B-3C-4D-11");
  ExpectCancel(IDD_PASSWORD);
  ExpectMAC("00-1A-2B-3C-4D-22");
  ExpectPassword("pw");
  Run(ID_MODIFY_MAC);
  const auto sent = CommandsSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0][7], 6) << "to the second device";
  EXPECT_EQ(sent[0][17], 0x22);
  EXPECT_EQ(Shown(IDD_MAC).at(1)->ControlText(IDC_MAC), "00-1A-2B-3C-4D-02");
}

TEST_F(ModifyMAC, ASentDatagramHoldsTheThreadThenEmptiesTheListAndScans3000msLater) {
  AddRows({kLab1});
  Select({0});
  ExpectMAC("00-1A-2B-3C-4D-11");
  ExpectPassword("pw");
  Run(ID_MODIFY_MAC);
  EXPECT_EQ(sleepWatch.rowsWhenSleeping, std::vector<int>{1}) << "emptied after the wait";
  EXPECT_EQ(clock.SleptMs(), 2000u);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(clock.NowMs(), 2000u);
  EXPECT_EQ(RescanDue(), 5000u) << "started before the wait";
  clock.Advance(2999);
  EXPECT_EQ(RequestsSent(), 0);
  clock.Advance(1);
  EXPECT_EQ(RequestsSent(), 1);
}

TEST_F(ModifyMAC, PortTakenShowsThePortMessageAfterThePasswordAndGoesOn) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  network.SetPortTaken(4000);
  ExpectMAC("00-1A-2B-3C-4D-11");
  ExpectPassword("pw");
  modal.AnswerMessageBox();
  ExpectMAC("00-1A-2B-3C-4D-22");
  ExpectPassword("pw");
  modal.AnswerMessageBox();
  Run(ID_MODIFY_MAC);
  EXPECT_EQ(MessageBoxes().size(), 2u);
  EXPECT_EQ(modal.Prompts().at(2).text, "Socket port '4000' Open fail ！");
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(Rows(), 2);
  EXPECT_FALSE(RescanRunning());
}

TEST_F(ModifyMAC, RefusedTextBringsTheDialogBackWithTheTypedTextForCorrection) {
  AddRows({kLab1});
  Select({0});
  ExpectMAC("001A2B3C4D");
  modal.AnswerMessageBox();
  modal.ExpectDialog(IDD_MAC, [](CDialog& d) {
    EXPECT_EQ(User::Text(d, IDC_MAC), "001A2B3C4D");
    User::Type(d, IDC_MAC, "5e");
    User::Click(d, IDOK);
  });
  ExpectPassword("pw");
  Run(ID_MODIFY_MAC);
  ASSERT_EQ(MessageBoxes(), std::vector<std::string>{kRefused});
  EXPECT_EQ(modal.Prompts().at(1).type & MB_ICONMASK, MB_ICONEXCLAMATION);
  ASSERT_EQ(CommandsSent().size(), 1u);
  EXPECT_EQ(Slice(CommandsSent().at(0), 12, 18), (Bytes{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
}

TEST_F(ModifyMAC, CancelAfterARefusedTextEndsTheCommand) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  ExpectMAC("00-1A-2B");
  modal.AnswerMessageBox();
  ExpectCancel(IDD_MAC);
  Run(ID_MODIFY_MAC);
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(Shown(IDD_MAC).size(), 2u);
  EXPECT_EQ(Rows(), 2);
}

struct MacCase {
  const char* text;
  bool accepted;
  Bytes bytes;
};

TEST(TypedMacAddress, AcceptsSixGroupsOrTwelveDigitsAndRefusesTheRest) {
  const Bytes k{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  const MacCase cases[] = {
      {"00-1A-2B-3C-4D-5E", true, k},
      {"00:1a:2b:3c:4d:5e", true, k},
      {"001A2B3C4D5E", true, k},
      {"001a2b3c4d5e", true, k},
      {" 00-1A-2B-3C-4D-5E ", true, k},
      {"0-1A-2B-3C-4D-5E", true, k},
      {"FF-FF-FF-FF-FF-FF", true, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"", false, {}},
      {"00-1A-2B-3C-4D", false, {}},
      {"00-1A-2B-3C-4D-5E-6F", false, {}},
      {"00-1A-2B-3C-4D-5G", false, {}},
      {"00-1A:2B-3C-4D-5E", false, {}},
      {"00--1A-2B-3C-4D-5E", false, {}},
      {"00-1A-2B-3C-4D-", false, {}},
      {"-00-1A-2B-3C-4D-5E", false, {}},
      {"000-1A-2B-3C-4D-5E", false, {}},
      {"001A2B3C4D5", false, {}},
      {"001A2B3C4D5E6", false, {}},
      {"0x-1A-2B-3C-4D-5E", false, {}},
      {"+0-1A-2B-3C-4D-5E", false, {}},
      {"00 1A 2B 3C 4D 5E", false, {}},
      {"００-1A-2B-3C-4D-5E", false, {}},
  };
  for (const MacCase& c : cases) {
    BYTE out[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(ParseTypedMACAddress(c.text, out), c.accepted) << c.text;
    if (c.accepted)
      EXPECT_EQ(Bytes(out, out + 6), c.bytes) << c.text;
    else
      EXPECT_EQ(Bytes(out, out + 6), (Bytes{1, 2, 3, 4, 5, 6})) << c.text << ": out untouched";
  }
}

}  // namespace
}  // namespace commandtest
