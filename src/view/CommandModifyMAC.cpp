// Modify MAC: for every selected row the MAC dialog and a password prompt, then one set-MAC
// datagram that names the device by its current IP address. Cancel in the MAC dialog ends the
// whole command, without emptying the list or scanning again.
#include "dialogs/CInputMACDlg.h"
#include "dialogs/CInputPasswordDlg.h"
#include "platform/afx/CWinApp.h"
#include "protocol/AddressText.h"
#include "view/CTarvexView.h"
#include "view/CommandMacText.h"
#include "view/CommandSupport.h"

void CTarvexView::OnModifyMAC() {
  CommandSupport command(*this);
  const bool completed = command.ForEachSelectedRow([&](int row) {
    BYTE targetIp[4] = {};
    ReadIPAddressText(command.CellText(row, CommandSupport::COLUMN_IP), targetIp);

    CInputMACDlg mac;
    mac.m_strMAC = command.CellText(row, CommandSupport::COLUMN_MAC);
    BYTE newMac[6] = {};
    for (;;) {
      if (mac.DoModal() != IDOK) return CommandSupport::Next::EndCommand;
      if (ParseTypedMACAddress(mac.m_strMAC, newMac)) break;
      // Back to the dialog with the typed text, for correction.
      AfxMessageBox(kTypedMACAddressForm, MB_ICONEXCLAMATION);
    }
    DEVICE_PACKET packet = MakeSetMacCommand(targetIp, newMac, {});

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
  if (completed && command.SentAny()) command.FinishDeviceChange();
}
