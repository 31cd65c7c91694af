#include "PlatformInit.h"

#include "Services.h"
#include "StandardControls.h"
#include "platform/listview/CommonControls.h"

void InitCommonControls() {
  RegisterCommonControls();
  RegisterDialogControls();
}

BOOL AfxSocketInit() {
  DatagramNetwork* network = AfxServices().network;
  if (network == nullptr) return FALSE;
  std::unique_ptr<DatagramEndpoint> probe = network->CreateEndpoint();
  if (!probe) return FALSE;
  probe->Close();
  return TRUE;
}
