// The steps that the device commands share: the walk over the selected rows, a row's cell
// texts, the socket made again for sending, one datagram sent, and the end of a command that
// sent something (re-scan timer, emptied list).
#pragma once

#include <string>

#include "platform/afx/SecureWipe.h"
#include "protocol/DevicePacket.h"
#include "view/CTarvexView.h"

class CommandSupport final {
 public:
  explicit CommandSupport(CTarvexView& view) : m_view(view) {}
  CommandSupport(const CommandSupport&) = delete;
  CommandSupport& operator=(const CommandSupport&) = delete;

  // Columns of the device list that the commands read.
  static constexpr int COLUMN_IP = 1;
  static constexpr int COLUMN_MASK = 2;
  static constexpr int COLUMN_GATEWAY = 3;
  static constexpr int COLUMN_MAC = 4;

  // Re-scan delays and the wait before a MAC change, soft reset or firmware update empties
  // the list.
  static constexpr UINT ADDRESS_RESCAN_MS = 2000;
  static constexpr UINT DEVICE_RESCAN_MS = 5000;
  static constexpr UINT DEVICE_SETTLE_MS = 2000;

  enum class Next { Row, EndCommand };

  // Calls handle(row) for every selected row in index order. The next selected row is looked
  // up before the current one is handled. False when a handler ended the command.
  template <class Handler>
  bool ForEachSelectedRow(Handler handle) {
    CListCtrl& list = m_view.GetListCtrl();
    int row = list.GetNextItem(-1, LVNI_SELECTED);
    while (row != -1) {
      const int next = list.GetNextItem(row, LVNI_SELECTED);
      if (handle(row) == Next::EndCommand) return false;
      row = next;
    }
    return true;
  }

  // The cell as the list shows it, at most 259 bytes.
  std::string CellText(int row, int column);

  // Closes the socket and makes it again on the local port with broadcast permission. When it
  // cannot be made, shows the port message and returns false.
  bool RecreateSocket();

  // Writes the datagram and hands it to the socket for the device port at the broadcast
  // address. A socket that was closed meanwhile (the discovery window's closing tick during a
  // dialog) is made again first; when that fails, the port message is shown and false is
  // returned. The datagram's bytes, password included, are wiped afterwards either way.
  bool Send(DEVICE_PACKET& packet);

  // A datagram has been handed to the socket (whether the socket sent it or not).
  bool SentAny() const { return m_bSent; }

  // After the last row of Modify IP: the re-scan in 2000 ms, the list emptied at once.
  void FinishAddressChange();
  // After the last row of Modify MAC, Soft Reset or Update Firmware: the re-scan in 5000 ms,
  // then the thread waits 2000 ms, then the list is emptied.
  void FinishDeviceChange();

  // Overwrites a datagram, so that its password does not outlive the command.
  static void Wipe(DEVICE_PACKET& packet) { SecureWipe(&packet, sizeof packet); }

 private:
  bool CreateSocket();

  CTarvexView& m_view;
  bool m_bSent = false;
};
