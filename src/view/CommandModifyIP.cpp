// Modify IP: for every selected row the IP settings dialog, then one password prompt and one
// set-address datagram for each value that was changed. The list is emptied and scanned
// again 2000 ms later when anything was sent.
#include "dialogs/CInputIPDlg.h"
#include "dialogs/CInputPasswordDlg.h"
#include "protocol/AddressText.h"
#include "view/CTarvexView.h"
#include "view/CommandSupport.h"

void CTarvexView::OnModifyIP() {
  CommandSupport command(*this);
  CInputIPDlg dlg;
  command.ForEachSelectedRow([&](int row) {
    dlg.m_strIP = command.CellText(row, CommandSupport::COLUMN_IP);
    dlg.m_strMask = command.CellText(row, CommandSupport::COLUMN_MASK);
    dlg.m_strGateway = command.CellText(row, CommandSupport::COLUMN_GATEWAY);
    // Read with the texts the dialog shows: a reply that re-sorts the list while a dialog is
    // open must not turn the change to another device.
    BYTE targetMac[6] = {};
    ReadMACAddressText(command.CellText(row, CommandSupport::COLUMN_MAC), targetMac);
    if (dlg.DoModal() != IDOK) return CommandSupport::Next::Row;
    if (!command.RecreateSocket()) return CommandSupport::Next::Row;

    const struct {
      const std::int32_t& changed;
      BYTE command;
    } settings[] = {{dlg.m_bIPChanged, DEVICE_CMD_SET_IP},
                    {dlg.m_bMaskChanged, DEVICE_CMD_SET_MASK},
                    {dlg.m_bGatewayChanged, DEVICE_CMD_SET_GATEWAY}};
    for (const auto& setting : settings) {
      if (!setting.changed) continue;
      DEVICE_PACKET packet = MakeSetAddressCommand(setting.command, dlg.m_newIP, dlg.m_newMask,
                                                   dlg.m_newGateway, targetMac, {});
      CInputPasswordDlg password;
      if (password.DoModal() != IDOK) continue;
      packet.SetPassword(password.m_strPassword);
      SecureWipe(password.m_strPassword);
      if (!command.Send(packet)) return CommandSupport::Next::Row;
    }
    return CommandSupport::Next::Row;
  });
  if (command.SentAny()) command.FinishAddressChange();
}
