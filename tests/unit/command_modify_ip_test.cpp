// Modify IP: the IP settings dialog per selected row, a password prompt and a set-address
// datagram per changed value, the list emptied at once and scanned again 2000 ms later.
#include "command_fixture.h"

namespace commandtest {
namespace {

constexpr UINT ID_MODIFY_IP = CTarvexView::ID_MODIFY_IP;

using ModifyIP = CommandTest;

const Bytes kLab1Mac{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x01};

TEST_F(ModifyIP, OnlyTheGatewayChangedSendsOneGatewayDatagramCarryingTheShownValues) {
  AddRows({kLab1});
  Select({0});
  ExpectIP("", "", "10.0.0.254");
  ExpectPassword("pw1");
  Run(ID_MODIFY_IP);

  ASSERT_EQ(Shown(IDD_PASSWORD).size(), 1u);
  EXPECT_EQ(CommandsSent(), (std::vector<Bytes>{Datagram('>', {{4, {10, 0, 0, 5}},
                                                               {8, {255, 255, 255, 0}},
                                                               {12, kLab1Mac},
                                                               {35, {10, 0, 0, 254}},
                                                               {42, Text("pw1")}})}));
}

TEST_F(ModifyIP, AllThreeChangedAskThreePasswordsAndSendInTheOrderIpMaskGateway) {
  AddRows({kLab1});
  Select({0});
  ExpectIP("192.168.1.10", "255.255.0.0", "192.168.1.1");
  ExpectPassword("longpass");
  ExpectPassword("ab");
  ExpectPassword("");
  Run(ID_MODIFY_IP);

  const std::initializer_list<std::pair<std::size_t, Bytes>> values = {
      {4, {0xC0, 0xA8, 0x01, 0x0A}}, {8, {255, 255, 0, 0}}, {12, kLab1Mac}, {35, {192, 168, 1, 1}}};
  std::vector<Bytes> expected{Datagram(':', values), Datagram(';', values), Datagram('>', values)};
  // Each datagram carries only its own password, zero-padded; an empty one leaves zeros.
  const Bytes first = Text("longpass");
  std::copy(first.begin(), first.end(), expected[0].begin() + 42);
  expected[1][42] = 'a';
  expected[1][43] = 'b';
  EXPECT_EQ(CommandsSent(), expected);
  EXPECT_EQ(Shown(IDD_PASSWORD).size(), 3u);
}

TEST_F(ModifyIP, PasswordDialogsStartEmptyAndMasked) {
  AddRows({kLab1});
  Select({0});
  ExpectIP("10.0.0.9", "255.0.0.0", "");
  ExpectPassword("secret");
  modal.ExpectDialog(IDD_PASSWORD, [](CDialog& d) {
    EXPECT_EQ(User::Text(d, IDC_PASSWORD), "") << "nothing is remembered from the last prompt";
    User::Type(d, IDC_PASSWORD, "xy");
    User::Click(d, IDOK);
  });
  Run(ID_MODIFY_IP);
  for (const auto* shown : Shown(IDD_PASSWORD)) EXPECT_EQ(shown->ControlText(IDC_PASSWORD), "");
  ASSERT_EQ(CommandsSent().size(), 2u);
  EXPECT_EQ(CommandsSent()[1][42], 'x');
}

TEST_F(ModifyIP, CancelInTheIpDialogSkipsToTheNextRowFilledWithItsValues) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  ExpectCancel(IDD_IP);
  ExpectIP("10.0.0.60", "", "");
  ExpectPassword("pw");
  Run(ID_MODIFY_IP);

  const auto shown = Shown(IDD_IP);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0]->ControlText(IDC_IP), "10.0.0.5");
  EXPECT_EQ(shown[1]->ControlText(IDC_IP), "10.0.0.6");
  EXPECT_EQ(shown[1]->ControlText(IDC_MASK), "255.255.0.0");
  EXPECT_EQ(shown[1]->ControlText(IDC_GATEWAY), "10.0.0.254");
  EXPECT_EQ(CommandsSent(),
            (std::vector<Bytes>{Datagram(':', {{4, {10, 0, 0, 60}},
                                               {8, {255, 255, 0, 0}},
                                               {12, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x02}},
                                               {35, {10, 0, 0, 254}},
                                               {42, Text("pw")}})}));
}

TEST_F(ModifyIP, ARowWithNothingChangedAsksNoPasswordAndSendsNothing) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  ExpectIP("10.0.0.50", "", "");
  ExpectPassword("pw");
  ExpectIP("", "", "");
  Run(ID_MODIFY_IP);
  EXPECT_EQ(Shown(IDD_PASSWORD).size(), 1u);
  ASSERT_EQ(CommandsSent().size(), 1u);
  EXPECT_EQ(Slice(CommandsSent().at(0), 12, 18), kLab1Mac);
}

TEST_F(ModifyIP, UnselectedRowsAreLeftAloneAndSelectedOnesGoInIndexOrder) {
  AddRows({kLab1, kLab2, kLab3});
  Select({2, 0});
  ExpectIP("10.0.0.50", "", "");
  ExpectPassword("a");
  ExpectIP("10.0.0.70", "", "");
  ExpectPassword("c");
  Run(ID_MODIFY_IP);
  const auto sent = CommandsSent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0][17], 0x01);
  EXPECT_EQ(sent[0][7], 50);
  EXPECT_EQ(sent[1][17], 0x03);
  EXPECT_EQ(sent[1][7], 70);
}

TEST_F(ModifyIP, EveryPasswordCancelledSendsNothingAndKeepsTheList) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  ExpectIP("10.0.0.50", "255.0.0.0", "");
  ExpectCancel(IDD_PASSWORD);
  ExpectCancel(IDD_PASSWORD);
  ExpectIP("", "", "10.0.0.1");
  ExpectCancel(IDD_PASSWORD);
  Run(ID_MODIFY_IP);
  EXPECT_TRUE(CommandsSent().empty());
  EXPECT_EQ(Rows(), 2);
  EXPECT_FALSE(RescanRunning());
}

TEST_F(ModifyIP, ASentDatagramEmptiesTheListAtOnceAndScansAgain2000msLater) {
  AddRows({kLab1, kLab2});
  Select({0});
  clock.Advance(1000);
  ExpectIP("10.0.0.50", "", "");
  ExpectPassword("pw");
  Run(ID_MODIFY_IP);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(RescanDue(), 3000u);
  EXPECT_EQ(clock.SleptMs(), 0u) << "Modify IP does not hold the thread";
  clock.Advance(1999);
  EXPECT_EQ(RequestsSent(), 0);
  clock.Advance(1);
  EXPECT_EQ(RequestsSent(), 1);
  EXPECT_FALSE(RescanRunning());
}

TEST_F(ModifyIP, NoSelectedRowDoesNothing) {
  AddRows({kLab1});
  Run(ID_MODIFY_IP);
  EXPECT_TRUE(modal.Prompts().empty());
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(Rows(), 1);
}

TEST_F(ModifyIP, PortTakenShowsThePortMessageOncePerRowAndAsksNoPassword) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  network.SetPortTaken(4000);
  ExpectIP("10.0.0.50", "", "");
  modal.AnswerMessageBox();
  ExpectIP("10.0.0.60", "", "");
  modal.AnswerMessageBox();
  Run(ID_MODIFY_IP);
  EXPECT_EQ(MessageBoxes(), (std::vector<std::string>{"Socket port '4000' Open fail ！",
                                                      "Socket port '4000' Open fail ！"}));
  EXPECT_EQ(modal.Prompts()[1].type & MB_ICONMASK, MB_ICONEXCLAMATION);
  EXPECT_TRUE(Shown(IDD_PASSWORD).empty());
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(Rows(), 2);
  EXPECT_FALSE(RescanRunning());
}

TEST_F(ModifyIP, TheDatagramGoesOutEvenWhenTheDiscoveryWindowClosesDuringThePasswordPrompt) {
  AddRows({kLab1});
  Select({0});
  ExpectIP("10.0.0.50", "", "");
  modal.ExpectDialog(IDD_PASSWORD, [this](CDialog& d) {
    clock.Advance(5000);  // the discovery window's closing tick
    EXPECT_FALSE(network.IsBound(4000));
    User::Type(d, IDC_PASSWORD, "pw");
    User::Click(d, IDOK);
  });
  Run(ID_MODIFY_IP);
  ASSERT_EQ(CommandsSent().size(), 1u);
  EXPECT_EQ(CommandsSent()[0][3], ':');
  EXPECT_TRUE(network.BroadcastEnabled(4000));
  EXPECT_EQ(network.RefusedSends(), 0);
  EXPECT_EQ(Rows(), 0);
}

TEST_F(ModifyIP, ClosedSocketThatCannotBeMadeAgainShowsThePortMessageAndSkipsTheRestOfTheRow) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  ExpectIP("10.0.0.50", "255.0.0.0", "");
  modal.ExpectDialog(IDD_PASSWORD, [this](CDialog& d) {
    clock.Advance(5000);
    network.SetPortTaken(4000);
    User::Type(d, IDC_PASSWORD, "pw");
    User::Click(d, IDOK);
  });
  modal.AnswerMessageBox();
  ExpectIP("", "", "");      // the next row still comes,
  modal.AnswerMessageBox();  // and makes the socket again although nothing changed
  Run(ID_MODIFY_IP);
  EXPECT_EQ(MessageBoxes(), (std::vector<std::string>{"Socket port '4000' Open fail ！",
                                                      "Socket port '4000' Open fail ！"}));
  EXPECT_EQ(Shown(IDD_PASSWORD).size(), 1u) << "the mask of that row is not asked for";
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(Rows(), 2);
}

TEST_F(ModifyIP, ARowInsertedAboveWhileTheDialogIsOpenDoesNotRedirectTheChange) {
  AddRows({kLab1});
  Select({0});
  modal.ExpectDialog(IDD_IP, [this](CDialog& d) {
    // A reply sorted in above the row being changed.
    const int row = List().InsertItem(0, "Other", 2);
    List().SetItemText(row, 4, "00-00-00-00-00-99");
    ::SendMessage(::GetDlgItem(d.m_hWnd, IDC_IP), IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 50));
    User::Click(d, IDOK);
  });
  ExpectPassword("pw");
  Run(ID_MODIFY_IP);
  ASSERT_EQ(CommandsSent().size(), 1u);
  EXPECT_EQ(Slice(CommandsSent().at(0), 12, 18), kLab1Mac);
}

}  // namespace
}  // namespace commandtest
