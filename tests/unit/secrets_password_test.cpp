// A password typed for a device command lives only as long as it must: the password dialog
// leaves no copy in its own memory, the datagram handed to the socket is wiped after the send,
// and the whole command writes nothing that holds it; the one copy that leaves is the one on
// the wire.
#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <string>

#include "command_fixture.h"
#include "dialogs/CInputPasswordDlg.h"
#include "protocol/CListSocket.h"
#include "view/CommandSupport.h"

namespace commandtest {
namespace {

const std::string kPassword = "S3cr#t!x";

bool Holds(const void* data, std::size_t size, const std::string& secret) {
  const char* begin = static_cast<const char*>(data);
  return std::search(begin, begin + size, secret.begin(), secret.end()) != begin + size;
}

class Secrets : public CommandTest {};

TEST_F(Secrets, PasswordDialogLeavesNoCopyInItsMemoryWhenItGoes) {
  // The dialog lives in storage the test owns, so its bytes can be read after it has gone.
  alignas(CInputPasswordDlg) unsigned char storage[sizeof(CInputPasswordDlg)] = {};
  auto* dlg = new (storage) CInputPasswordDlg;
  ExpectPassword(kPassword);
  ASSERT_EQ(dlg->DoModal(), IDOK);
  ASSERT_EQ(dlg->m_strPassword, kPassword);
  ASSERT_TRUE(Holds(storage, sizeof storage, kPassword))
      << "a short password sits inside the dialog object; else this test proves nothing";
  dlg->~CInputPasswordDlg();
  EXPECT_FALSE(Holds(storage, sizeof storage, kPassword));
}

TEST_F(Secrets, SentDatagramIsWipedAndOnlyTheWireCarriesThePassword) {
  const BYTE mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  DEVICE_PACKET packet = MakeDeviceCommand(DEVICE_CMD_SOFT_RESET, mac, kPassword);
  ASSERT_TRUE(Holds(&packet, sizeof packet, kPassword));
  CommandSupport support(*view);
  ASSERT_TRUE(support.Send(packet));
  const DEVICE_PACKET zero{};
  EXPECT_EQ(std::memcmp(&packet, &zero, sizeof packet), 0) << "the datagram was not wiped";
  const std::vector<Bytes> sent = CommandsSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_TRUE(Holds(sent[0].data(), sent[0].size(), kPassword));
}

TEST_F(Secrets, ASocketThatCannotBeMadeStillWipesTheDatagram) {
  view->m_pSocket->Close();
  network.SetPortTaken(4000);
  modal.AnswerMessageBox();
  const BYTE mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  DEVICE_PACKET packet = MakeDeviceCommand(DEVICE_CMD_FIRMWARE_UPDATE, mac, kPassword);
  CommandSupport support(*view);
  EXPECT_FALSE(support.Send(packet));
  EXPECT_FALSE(Holds(&packet, sizeof packet, kPassword));
  EXPECT_TRUE(CommandsSent().empty());
}

TEST_F(Secrets, CommandsWriteThePasswordNowhereButOnTheWire) {
  // Runs a command with its dialogs scripted, with standard output and error captured.
  auto run = [this](UINT command, const std::function<void()>& script) {
    if (Rows() == 0) {
      AddRows({kLab1, kLab2});
      Select({0, 1});
    }
    script();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Run(command);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.find(kPassword), std::string::npos);
    EXPECT_EQ(err.find(kPassword), std::string::npos);
  };
  run(CTarvexView::ID_SOFT_RESET, [this] {
    ExpectPassword(kPassword);
    ExpectPassword(kPassword);
  });
  run(CTarvexView::ID_MODIFY_MAC, [this] {
    for (int row = 0; row < 2; ++row) {
      modal.ExpectDialog(IDD_MAC, [](CDialog& d) { User::PressKey(d, VK_RETURN); });
      ExpectPassword(kPassword);
    }
  });
  for (const ScriptedModalDriver::Prompt& p : modal.Prompts()) {
    EXPECT_EQ(p.text.find(kPassword), std::string::npos);
    for (const ScriptedModalDriver::ShownControl& c : p.controls)
      EXPECT_EQ(c.text.find(kPassword), std::string::npos) << "control " << c.id;
  }
  const std::vector<Bytes> sent = CommandsSent();
  ASSERT_EQ(sent.size(), 4u);
  for (const Bytes& d : sent) EXPECT_TRUE(Holds(d.data(), d.size(), kPassword));
}

}  // namespace
}  // namespace commandtest
