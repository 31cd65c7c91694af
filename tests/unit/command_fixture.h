// The device commands on the application shell's test doubles: rows put into the device list
// through the list, a selection, dialogs answered by script, the manual clock and the
// in-memory network that records every datagram.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app_fixture.h"
#include "platform/afx/SocketSettings.h"
#include "view/CTarvexView.h"

namespace commandtest {

constexpr UINT IDD_IP = 9;
constexpr UINT IDD_MAC = 152;
constexpr UINT IDD_PASSWORD = 146;
constexpr int IDC_IP = 1000;
constexpr int IDC_MASK = 1001;
constexpr int IDC_GATEWAY = 1002;
constexpr int IDC_MAC = 1004;
constexpr int IDC_PASSWORD = 1001;

struct Device {
  const char* name;
  const char* ip;
  const char* mask;
  const char* gateway;
  const char* mac;
  const char* version;
};

const Device kLab1{"Lab-1", "10.0.0.5", "255.255.255.0", "10.0.0.1", "00-1A-2B-3C-4D-01", "1.20"};
const Device kLab2{"Lab-2", "10.0.0.6", "255.255.0.0", "10.0.0.254", "00-1A-2B-3C-4D-02", "2.05"};
const Device kLab3{"Lab-3", "10.0.0.7", "255.0.0.0", "0.0.0.0", "00-1A-2B-3C-4D-03", "0.00"};

using Bytes = std::vector<std::uint8_t>;

// 52 bytes: "QKZ", the command byte, the given fields at their offsets, zero elsewhere.
inline Bytes Datagram(char command, std::initializer_list<std::pair<std::size_t, Bytes>> fields) {
  Bytes d(52, 0);
  d[0] = 'Q';
  d[1] = 'K';
  d[2] = 'Z';
  d[3] = static_cast<std::uint8_t>(command);
  for (const auto& f : fields)
    for (std::size_t i = 0; i < f.second.size(); ++i) d.at(f.first + i) = f.second[i];
  return d;
}

inline Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

inline Bytes Text(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

// Notes how many rows the list had whenever the thread was put to sleep.
class SleepWatch final : public TimerService {
 public:
  SleepWatch(ManualClock& clock, std::function<int()> rows)
      : m_clock(clock), m_rows(std::move(rows)) {}
  void SetTimer(HWND hwnd, UINT_PTR id, UINT ms) override { m_clock.SetTimer(hwnd, id, ms); }
  void KillTimer(HWND hwnd, UINT_PTR id) override { m_clock.KillTimer(hwnd, id); }
  void Sleep(UINT ms) override {
    rowsWhenSleeping.push_back(m_rows());
    m_clock.Sleep(ms);
  }
  std::uint64_t NowMs() const override { return m_clock.NowMs(); }
  std::vector<int> rowsWhenSleeping;

 private:
  ManualClock& m_clock;
  std::function<int()> m_rows;
};

class CommandTest : public apptest::AppFixture {
 protected:
  using User = ScriptedModalDriver;

  void SetUp() override {
    AppFixture::SetUp();
    SocketSettings::Get() = SocketSettings{};
    ASSERT_TRUE(Start());
    view = dynamic_cast<CTarvexView*>(Frame()->GetActiveView());
    ASSERT_NE(view, nullptr);
    AfxServices().timers = &sleepWatch;
    CListCtrl& list = view->GetListCtrl();
    HWND header = list.GetHeaderCtrl();
    for (int c = static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT)); c < 6; ++c)
      list.InsertColumn(c, "column", LVCFMT_LEFT, 80);
    network.ClearSent();  // the first discovery's request
  }
  void TearDown() override {
    for (const std::string& e : modal.Errors()) ADD_FAILURE() << e;
    EXPECT_EQ(modal.PendingSteps(), 0u) << "scripted prompts that never came";
    AppFixture::TearDown();
    SocketSettings::Get() = SocketSettings{};
  }

  CListCtrl& List() { return view->GetListCtrl(); }
  int Rows() { return List().GetItemCount(); }

  // Appends the devices as rows, the way the list shows them.
  void AddRows(std::initializer_list<Device> devices) {
    for (const Device& d : devices) {
      const int row = List().InsertItem(Rows(), d.name, 2);
      ASSERT_GE(row, 0);
      const char* texts[] = {d.ip, d.mask, d.gateway, d.mac, d.version};
      for (int c = 1; c <= 5; ++c) List().SetItemText(row, c, texts[c - 1]);
    }
  }
  void Select(std::initializer_list<int> rows) {
    for (int row : rows) List().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
  }

  void Run(UINT command) { Command(command); }

  // The datagrams sent other than discovery requests, bytes only; each checked for where it
  // went.
  std::vector<Bytes> CommandsSent() {
    std::vector<Bytes> out;
    for (const MemoryNetwork::Datagram& d : network.Sent()) {
      if (d.bytes.size() > 3 && d.bytes[3] == '9') continue;
      EXPECT_EQ(d.addr, 0xFFFFFFFFu);
      EXPECT_EQ(d.port, 36);
      EXPECT_EQ(d.sourcePort, 4000);
      out.push_back(d.bytes);
    }
    return out;
  }
  int RequestsSent() const {
    int n = 0;
    for (const MemoryNetwork::Datagram& d : network.Sent())
      n += d.bytes.size() > 3 && d.bytes[3] == '9' ? 1 : 0;
    return n;
  }

  // Scripted answers.
  void ExpectPassword(const std::string& typed) {
    modal.ExpectDialog(IDD_PASSWORD, [typed](CDialog& d) {
      User::Type(d, IDC_PASSWORD, typed);
      User::PressKey(d, VK_RETURN);
    });
  }
  void ExpectCancel(UINT dialog) {
    modal.ExpectDialog(dialog, [](CDialog& d) { User::Click(d, IDCANCEL); });
  }
  // The IP settings dialog: each non-empty text replaces that control's address.
  void ExpectIP(const std::string& ip, const std::string& mask, const std::string& gateway) {
    modal.ExpectDialog(IDD_IP, [ip, mask, gateway](CDialog& d) {
      const std::pair<int, std::string> edits[] = {
          {IDC_IP, ip}, {IDC_MASK, mask}, {IDC_GATEWAY, gateway}};
      for (const auto& e : edits) {
        if (e.second.empty()) continue;
        unsigned o[4] = {};
        ASSERT_EQ(std::sscanf(e.second.c_str(), "%u.%u.%u.%u", &o[0], &o[1], &o[2], &o[3]), 4);
        ::SendMessage(::GetDlgItem(d.m_hWnd, e.first), IPM_SETADDRESS, 0,
                      MAKEIPADDRESS(o[0], o[1], o[2], o[3]));
      }
      User::Click(d, IDOK);
    });
  }
  // The MAC dialog: its text replaced by typed (unless typed is null), then Confirm.
  void ExpectMAC(const char* typed) {
    modal.ExpectDialog(IDD_MAC, [typed](CDialog& d) {
      if (typed != nullptr) {
        User::SetText(d, IDC_MAC, "");
        User::Type(d, IDC_MAC, typed);
      }
      User::Click(d, IDOK);
    });
  }

  std::vector<const ScriptedModalDriver::Prompt*> Shown(UINT dialog) const {
    std::vector<const ScriptedModalDriver::Prompt*> out;
    for (const auto& p : modal.Prompts())
      if (p.kind == ScriptedModalDriver::Prompt::Kind::Dialog && p.templateId == dialog)
        out.push_back(&p);
    return out;
  }
  std::vector<std::string> MessageBoxes() const {
    std::vector<std::string> out;
    for (const auto& p : modal.Prompts())
      if (p.kind == ScriptedModalDriver::Prompt::Kind::MessageBox) out.push_back(p.text);
    return out;
  }
  bool RescanRunning() const { return clock.IsRunning(view->m_hWnd, CTarvexView::TIMER_RESCAN); }
  std::uint64_t RescanDue() const { return clock.DueAt(view->m_hWnd, CTarvexView::TIMER_RESCAN); }

  CTarvexView* view = nullptr;
  SleepWatch sleepWatch{clock, [this] { return Rows(); }};
};

}  // namespace commandtest
