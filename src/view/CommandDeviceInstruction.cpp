// Soft Reset and Update Firmware: for every selected row a password prompt and one datagram
// that names the device by its MAC address; the two differ only in the command byte.
#include "dialogs/CInputPasswordDlg.h"
#include "protocol/AddressText.h"
#include "view/CTarvexView.h"
#include "view/CommandSupport.h"

namespace {

void SendInstruction(CTarvexView& view, BYTE instruction) {
  CommandSupport command(view);
  command.ForEachSelectedRow([&](int row) {
    BYTE targetMac[6] = {};
    ReadMACAddressText(command.CellText(row, CommandSupport::COLUMN_MAC), targetMac);
    DEVICE_PACKET packet = MakeDeviceCommand(instruction, targetMac, {});

    CInputPasswordDlg password;
    if (password.DoModal() != IDOK) return CommandSupport::Next::Row;
    packet.SetPassword(password.m_strPassword);
    SecureWipe(password.m_strPassword);

    if (!command.RecreateSocket()) {
      CommandSupport::Wipe(packet);
      return CommandSupport::Next::Row;
    }
    command.Send(packet);
    return CommandSupport::Next::Row;
  });
  if (command.SentAny()) command.FinishDeviceChange();
}

}  // namespace

void CTarvexView::OnSoftReset() {
  SendInstruction(*this, DEVICE_CMD_SOFT_RESET);
}

void CTarvexView::OnUpdateFirmware() {
  SendInstruction(*this, DEVICE_CMD_FIRMWARE_UPDATE);
}
