#include "protocol/CListSocket.h"

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
    ++m_nOnlineCount;
    if (CFrameWnd* frame = view->GetParentFrame()) {
      if (CStatusBar* bar = frame->GetMessageBar()) {
        // The loaded text is data, never a format.
        const std::string online = AfxLoadString(IDS_ONLINE);
        char count[16];
        std::snprintf(count, sizeof count, " : %d", static_cast<int>(m_nOnlineCount));
        std::string text;
        text.reserve(online.size() + sizeof count);
        text.append(online).append(count);
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
