// Soft Reset and Update Firmware: a password prompt and one datagram per selected row, named by
// the device's MAC address; the two differ only in the command byte.
#include "command_fixture.h"

namespace commandtest {
namespace {

struct Instruction {
  const char* name;
  UINT command;
  char byte;
};
const Instruction kInstructions[] = {{"SoftReset", CTarvexView::ID_SOFT_RESET, '='},
                                     {"UpdateFirmware", CTarvexView::ID_UPDATE_FIRMWARE, '?'}};

class DeviceInstruction : public CommandTest, public ::testing::WithParamInterface<Instruction> {};

TEST_P(DeviceInstruction, SendsTheCommandByteTheTargetMacAndThePasswordOnly) {
  AddRows({Device{"Lab", "10.0.0.5", "255.0.0.0", "10.0.0.1", "00-1A-2B-3C-4D-5E", "1.20"}});
  Select({0});
  ExpectPassword("abc");
  Run(GetParam().command);
  EXPECT_EQ(
      CommandsSent(),
      (std::vector<Bytes>{Datagram(
          GetParam().byte, {{12, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}, {42, Text("abc")}})}));
  EXPECT_EQ(Shown(IDD_PASSWORD).size(), 1u);
}

TEST_P(DeviceInstruction, EightBytePasswordFillsTheFieldUpToItsLastTwoBytes) {
  AddRows({kLab1});
  Select({0});
  ExpectPassword("12345678");
  Run(GetParam().command);
  ASSERT_EQ(CommandsSent().size(), 1u);
  EXPECT_EQ(Slice(CommandsSent().at(0), 42, 52),
            (Bytes{'1', '2', '3', '4', '5', '6', '7', '8', 0, 0}));
}

TEST_P(DeviceInstruction, OnePromptPerRowInIndexOrderAndCancelSkipsOnlyThatRow) {
  AddRows({kLab1, kLab2, kLab3});
  Select({0, 1, 2});
  ExpectPassword("one");
  ExpectCancel(IDD_PASSWORD);
  ExpectPassword("three");
  Run(GetParam().command);
  const auto sent = CommandsSent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0][17], 0x01);
  EXPECT_EQ(sent[0][42], 'o');
  EXPECT_EQ(sent[1][17], 0x03);
  EXPECT_EQ(sent[1][42], 't');
}

TEST_P(DeviceInstruction, ASentDatagramHoldsTheThreadThenEmptiesTheListAndScans3000msLater) {
  AddRows({kLab1, kLab2});
  Select({1});
  clock.Advance(100);
  ExpectPassword("pw");
  Run(GetParam().command);
  EXPECT_EQ(sleepWatch.rowsWhenSleeping, std::vector<int>{2});
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(clock.NowMs(), 2100u);
  EXPECT_EQ(RescanDue(), 5100u);
  clock.Advance(2999);
  EXPECT_EQ(RequestsSent(), 0);
  clock.Advance(1);
  EXPECT_EQ(RequestsSent(), 1);
  EXPECT_FALSE(RescanRunning());
}

TEST_P(DeviceInstruction, AllPasswordsCancelledLeaveTheListAndTheClockAlone) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  ExpectCancel(IDD_PASSWORD);
  ExpectCancel(IDD_PASSWORD);
  Run(GetParam().command);
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(Rows(), 2);
  EXPECT_FALSE(RescanRunning());
  EXPECT_EQ(clock.SleptMs(), 0u);
}

TEST_P(DeviceInstruction, PortTakenShowsThePortMessagePerRowAfterItsPassword) {
  AddRows({kLab1, kLab2});
  Select({0, 1});
  network.SetPortTaken(4000);
  ExpectPassword("pw");
  modal.AnswerMessageBox();
  ExpectPassword("pw");
  modal.AnswerMessageBox();
  Run(GetParam().command);
  ASSERT_EQ(modal.Prompts().size(), 4u);
  EXPECT_EQ(modal.Prompts()[1].text, "Socket port '4000' Open fail ！");
  EXPECT_EQ(modal.Prompts()[3].text, "Socket port '4000' Open fail ！");
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(Rows(), 2);
  EXPECT_FALSE(RescanRunning());
}

TEST_P(DeviceInstruction, ASocketClosedByTheDiscoveryWindowIsMadeAgainForTheSend) {
  AddRows({kLab1});
  Select({0});
  modal.ExpectDialog(IDD_PASSWORD, [this](CDialog& d) {
    clock.Advance(5000);
    User::Type(d, IDC_PASSWORD, "pw");
    User::Click(d, IDOK);
  });
  Run(GetParam().command);
  EXPECT_EQ(CommandsSent().size(), 1u);
  EXPECT_TRUE(network.IsBound(4000)) << "replies after the command are still read";
}

TEST_P(DeviceInstruction, NoSelectedRowDoesNothing) {
  AddRows({kLab1});
  Run(GetParam().command);
  EXPECT_TRUE(modal.Prompts().empty());
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_EQ(clock.SleptMs(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Commands, DeviceInstruction, ::testing::ValuesIn(kInstructions),
                         [](const ::testing::TestParamInfo<Instruction>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace commandtest
