// The program's string table.
#include "res/StringTable.h"

#include "platform/afx/Resources.h"

void RegisterStringTable() {
  auto& s = ResourceTable::Get().strings;
  s[100] = "OLE 初始化失敗。請確認 OLE 程式庫的版本是否正確。";
  s[104] = "Windows 通訊端安裝失敗。";
  s[128] = "Lanorix V1.20";
  s[40000] = "Device Name";
  s[40001] = "IP Address";
  s[40002] = "Subnet Mask";
  s[40003] = "Gateway IP";
  s[40004] = "MAC";
  s[40005] = "ID Number";
  s[40006] = "Version";
  s[40007] = "Online";
  s[40012] = "Unknown";
  s[40021] = "NQ-710";
  s[40022] = "NQ-710-W";
  s[40100] = "Socket port '\n' Open fail ！";
  s[57344] = "Lanorix";
  s[57345] = "Ready";
  s[59136] = "EXT";
  s[59137] = "CAP";
  s[59138] = "NUM";
  s[59139] = "SCRL";
  // Prompts and tooltips: the prompt, a line feed, the tooltip.
  s[32772] = "Search all device again。\nRefresh";
  s[32780] = "Modify IP which selects device。\nModify IP";
  s[32781] = "Modify MAC which selects device。\nModify MAC";
  s[32782] = "Open web which selects device。\nWeb Browser";
  s[32783] = "Soft Reset which selects device。\nSoft Reset";
  s[32814] = "Update Firmware which selects device。\nUpdate Firmware";
  s[57664] = "Show the information of the procedure and version number\nAbout";
  s[57665] = "Exit the application program\nExit";
  s[59392] = "Show or hide the toolbar\nSwitch toolbar";
  s[59393] = "Show or hide the status bar\nSwitch status bar";
  s[59397] = "Auto arrange。";
  // The framework's own stock strings that the program can show.
  s[AFX_IDP_FAILED_TO_CREATE_DOC] = "Failed to create empty document.";
}
