// Web Browser: the registered web browser, started once for every selected row with the row's
// IP address as its only argument. Nothing is reported when there is no browser.
#include "platform/afx/Services.h"
#include "view/CTarvexView.h"
#include "view/CommandSupport.h"

void CTarvexView::OnWebBrowser() {
  ProgramLauncher* launcher = AfxServices().launcher;
  if (launcher == nullptr) return;
  const std::string program = launcher->FindWebBrowser();
  if (program.empty()) return;
  CommandSupport command(*this);
  command.ForEachSelectedRow([&](int row) {
    launcher->Start(program, {command.CellText(row, CommandSupport::COLUMN_IP)});
    return CommandSupport::Next::Row;
  });
}
