// The device list view inside the whole application, on the test doubles: replies arrive on
// the in-memory network, the profile comes from a map, pop-up menus are recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "protocol/DevicePacket.h"
#include "view/CTarvexView.h"

namespace viewtest {

// The profile: values by "Section/Entry".
class MapProfile final : public ProfileStore {
 public:
  std::map<std::string, std::vector<std::uint8_t>> values;
  bool GetBinary(const std::string& section, const std::string& entry,
                 std::vector<std::uint8_t>& out) override {
    auto it = values.find(section + "/" + entry);
    if (it == values.end()) return false;
    out = it->second;
    return true;
  }
};

// A device as its reply states it.
struct Device {
  std::string name;
  BYTE model = DEVICE_MODEL_NQ710;
  BYTE ip[4] = {10, 0, 0, 1};
  BYTE mask[4] = {255, 255, 255, 0};
  BYTE gateway[4] = {10, 0, 0, 254};
  BYTE mac[6] = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x01};
  BYTE major = 1;
  BYTE minor = 0x20;

  std::vector<std::uint8_t> Reply() const {
    DEVICE_PACKET p = DEVICE_PACKET::Request('9');
    std::memcpy(p.ip, ip, 4);
    std::memcpy(p.mask, mask, 4);
    std::memcpy(p.gateway, gateway, 4);
    std::memcpy(p.mac, mac, 6);
    std::memcpy(p.name, name.data(), name.size() < DEVICE_NAME_FIELD ? name.size() : 17);
    p.versionMajor = major;
    p.versionMinor = minor;
    p.model = model;
    BYTE bytes[DEVICE_PACKET_SIZE];
    p.Write(bytes);
    return std::vector<std::uint8_t>(bytes, bytes + DEVICE_PACKET_SIZE);
  }
};

// Header indicator of one header item: +1 ascending, -1 descending, 0 none.
int IndicatorOf(HWND header, int item);

class ViewFixture : public apptest::AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    AfxServices().profile = &profile;
  }

  // Starts the program; false when it did not come up with its view.
  bool StartView() {
    if (!Start()) return false;
    view = dynamic_cast<CTarvexView*>(Frame()->GetActiveView());
    return view != nullptr;
  }
  void Receive(const Device& device) {
    network.Inject(4000, device.Reply());
    network.Deliver();
  }
  void Receive(const std::vector<std::uint8_t>& bytes) {
    network.Inject(4000, bytes);
    network.Deliver();
  }
  CListCtrl& List() const { return view->GetListCtrl(); }
  HWND Header() const { return List().GetHeaderCtrl(); }
  int RowCount() const { return List().GetItemCount(); }
  std::string Text(int row, int column) const { return List().GetItemText(row, column); }
  // Column 0 of every row, in list order.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < RowCount(); ++i) names.push_back(Text(i, 0));
    return names;
  }
  // Indicators of every header item, left to right by header index.
  std::vector<int> Indicators() const {
    std::vector<int> shown;
    const int n = static_cast<int>(::SendMessage(Header(), HDM_GETITEMCOUNT, 0, 0));
    for (int k = 0; k < n; ++k) shown.push_back(IndicatorOf(Header(), k));
    return shown;
  }
  // The control reports a click on the header item of a control column index.
  void ClickHeader(int controlIndex) {
    NMLISTVIEW click;
    click.hdr.hwndFrom = view->m_hWnd;
    click.hdr.idFrom = static_cast<UINT_PTR>(view->GetDlgCtrlID());
    click.hdr.code = static_cast<UINT>(LVN_COLUMNCLICK);
    click.iItem = -1;
    click.iSubItem = controlIndex;
    ::SendMessage(::GetParent(view->m_hWnd), WM_NOTIFY, click.hdr.idFrom,
                  reinterpret_cast<LPARAM>(&click));
  }
  void Select(int row) {
    LVITEMA state;
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    view->SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  }

  MapProfile profile;
  CTarvexView* view = nullptr;
};

inline int IndicatorOf(HWND header, int item) {
  HDITEMA hd;
  hd.mask = HDI_FORMAT | HDI_IMAGE;
  if (::SendMessage(header, HDM_GETITEMA, static_cast<WPARAM>(item),
                    reinterpret_cast<LPARAM>(&hd)) == 0)
    return 0;
  if (hd.fmt & HDF_SORTUP) return 1;
  if (hd.fmt & HDF_SORTDOWN) return -1;
  return 0;
}

}  // namespace viewtest
