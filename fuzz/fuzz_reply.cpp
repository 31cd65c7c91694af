// Any bytes (0 to 2048) as one reply arriving at the discovery port of the whole program on
// the test doubles: reading, row building and the device list. The datagram must give exactly
// one row whose address and version texts are those of its bytes and whose texts are all
// valid UTF-8; the packet reader must keep the first 52 bytes and read the rest as zero.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "app/CTarvexApp.h"
#include "listctrl_fixture.h"
#include "platform/afx/ManualClock.h"
#include "platform/afx/MemoryNetwork.h"
#include "platform/afx/ScriptedModalDriver.h"
#include "platform/afx/Services.h"
#include "protocol/AddressText.h"
#include "protocol/DevicePacket.h"
#include "res/ProgramResources.h"
#include "view/CTarvexView.h"

namespace {

// Rows kept before a Refresh empties the list, so that each run's checks stay cheap.
constexpr int kRowsBeforeRefresh = 64;

[[noreturn]] void Fail(const char* what, const std::uint8_t* data, std::size_t size) {
  std::fprintf(stderr, "%s for a datagram of %zu bytes:", what, size);
  for (std::size_t i = 0; i < size && i < 64; ++i) std::fprintf(stderr, " %02X", data[i]);
  std::fprintf(stderr, "\n");
  std::abort();
}

bool ValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80                   ? 1
                      : (c >= 0xC2 && c <= 0xDF) ? 2
                      : (c >= 0xE0 && c <= 0xEF) ? 3
                      : (c >= 0xF0 && c <= 0xF4) ? 4
                                                 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    const unsigned char d = static_cast<unsigned char>(s[i + 1 < s.size() ? i + 1 : i]);
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d > 0x9F) || (c == 0xF0 && d < 0x90) ||
        (c == 0xF4 && d > 0x8F))
      return false;  // overlong, surrogate or beyond U+10FFFF
    i += len;
  }
  return true;
}

struct Program {
  Program() {
    RegisterProgramResources();
    AfxServices() = PlatformServices{};
    AfxServices().timers = &clock;
    AfxServices().network = &network;
    AfxServices().modal = &modal;
    AfxServices().desktop = &desktop;
    app = std::make_unique<CTarvexApp>();
    if (!app->InitInstance()) std::abort();
    frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    view = frame != nullptr ? dynamic_cast<CTarvexView*>(frame->GetActiveView()) : nullptr;
    if (view == nullptr) std::abort();
  }
  ManualClock clock;
  MemoryNetwork network;
  ScriptedModalDriver modal;
  ScriptedDesktop desktop;
  std::unique_ptr<CTarvexApp> app;
  CMainFrame* frame = nullptr;
  CTarvexView* view = nullptr;
};

void CheckPacketReader(const std::uint8_t* data, std::size_t size) {
  BYTE out[DEVICE_PACKET_SIZE];
  DEVICE_PACKET::Read(data, size).Write(out);
  for (std::size_t i = 0; i < DEVICE_PACKET_SIZE; ++i)
    if (out[i] != (i < size ? data[i] : 0)) Fail("packet does not round-trip", data, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 2048) return -1;
  static Program* program = new Program;  // one program for the whole run, as in real use
  CheckPacketReader(data, size);

  CTarvexView& view = *program->view;
  CListCtrl& list = view.GetListCtrl();
  if (list.GetItemCount() >= kRowsBeforeRefresh)
    program->frame->SendMessage(WM_COMMAND, CTarvexView::ID_REFRESH, 0);
  const int before = list.GetItemCount();
  program->network.Inject(4000, data, size);
  program->network.Deliver();
  const int after = list.GetItemCount();
  if (after != before + (size > 0 ? 1 : 0)) Fail("not one row per datagram", data, size);
  if (static_cast<std::size_t>(after) != view.RecordCount())
    Fail("rows and records differ", data, size);
  if (size == 0) return 0;

  BYTE padded[DEVICE_PACKET_SIZE] = {};
  std::memcpy(padded, data, size < DEVICE_PACKET_SIZE ? size : DEVICE_PACKET_SIZE);
  const DEVICE_PACKET p = DEVICE_PACKET::Read(padded, DEVICE_PACKET_SIZE);
  // A model the tool does not know shows no gateway and no version.
  const bool known = p.model == DEVICE_MODEL_NQ710 || p.model == DEVICE_MODEL_NQ710W;
  const std::string expected[5] = {
      IPAddressText(p.ip), IPAddressText(p.mask), known ? IPAddressText(p.gateway) : "0.0.0.0",
      MACAddressText(p.mac), known ? VersionText(p.versionMajor, p.versionMinor) : "0.00"};
  bool found = false;
  for (int row = 0; row < after && !found; ++row) {
    bool same = true;
    for (int k = 0; k < 5 && same; ++k) same = list.GetItemText(row, k + 1) == expected[k];
    if (!same) continue;
    const std::string name = list.GetItemText(row, 0);
    if (name.empty() || name.size() > 3 * 16 || !ValidUtf8(name)) Fail("bad name text", data, size);
    found = true;
  }
  if (!found) Fail("no row shows the datagram's fields", data, size);
  return 0;
}
