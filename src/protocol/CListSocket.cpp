#include "protocol/CListSocket.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CStatusBar.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/Resources.h"
#include "protocol/DevicePacket.h"
#include "view/CTarvexView.h"

namespace {
constexpr UINT IDS_ONLINE = 40007;
}

CListSocket::CListSocket() = default;

CListSocket::~CListSocket() = default;

void CListSocket::OnReceive(int nErrorCode) {
  BYTE reply[DEVICE_PACKET_SIZE] = {};
  int got = Receive(reply, static_cast<int>(sizeof reply));
  CTarvexView* view = got > 0 ? FindView() : nullptr;
  if (view != nullptr) {
    view->AddDeviceRow(reply);
    // Saturates instead of overflowing under an endless flood of datagrams.
    if (m_nOnlineCount < INT32_MAX) ++m_nOnlineCount;
    if (CFrameWnd* frame = view->GetParentFrame()) {
      if (CStatusBar* bar = frame->GetMessageBar()) {
        // The loaded text is an argument, never the format. Short texts stay off the heap.
        const std::string online = AfxLoadString(IDS_ONLINE);
        char text[64];
        std::snprintf(text, sizeof text, "%s : %d", online.c_str(),
                      static_cast<int>(m_nOnlineCount));
        bar->SetPaneText(bar->CommandToIndex(ID_INDICATOR_EXT), text, TRUE);
      }
    }
    m_bReplySeen = 1;
  }
  CSocket::OnReceive(nErrorCode);
}

CTarvexView* CListSocket::FindView() {
  CWinApp* app = AfxGetApp();
  CDocTemplate* tmpl = app != nullptr ? app->GetFirstDocTemplate() : nullptr;
  CDocument* doc = tmpl != nullptr ? tmpl->GetFirstDoc() : nullptr;
  return doc != nullptr ? dynamic_cast<CTarvexView*>(doc->GetFirstView()) : nullptr;
}
