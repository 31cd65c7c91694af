// FIXME: the device commands land here one file each; until then they do nothing.
#include "view/CTarvexView.h"

void CTarvexView::OnModifyIP() {}
void CTarvexView::OnModifyMAC() {}
void CTarvexView::OnWebBrowser() {}
void CTarvexView::OnSoftReset() {}
void CTarvexView::OnUpdateFirmware() {}
