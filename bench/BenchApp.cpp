#include "BenchApp.h"

#include "app/CTarvexApp.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/Services.h"
#include "platform/afx/SocketSettings.h"
#include "platform/afx/WindowSystem.h"
#include "res/ProgramResources.h"
#include "view/CTarvexView.h"

namespace {

// No one answers message boxes in a benchmark; none is expected.
class SilentModalDriver final : public ModalDriver {
 public:
  int MessageBox(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
  INT_PTR RunModalDialog(CDialog&) override { return IDCANCEL; }
};

}  // namespace

BenchApp::BenchApp(DesktopService* desktop) : m_modal(std::make_unique<SilentModalDriver>()) {
  RegisterProgramResources();
  AfxServices() = PlatformServices{};
  AfxServices().timers = &m_clock;
  AfxServices().network = &m_network;
  AfxServices().modal = m_modal.get();
  AfxServices().desktop = desktop;
}

BenchApp::~BenchApp() {
  m_app.reset();
  ResetWindowSystem();
  AfxServices() = PlatformServices{};
}

bool BenchApp::Start() {
  m_app = std::make_unique<CTarvexApp>();
  if (!m_app->InitInstance()) return false;
  auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  m_view = frame != nullptr ? dynamic_cast<CTarvexView*>(frame->GetActiveView()) : nullptr;
  return m_view != nullptr;
}

void BenchApp::Refresh() {
  m_view->SendMessage(WM_COMMAND, CTarvexView::ID_REFRESH, 0);
}

void BenchApp::Queue(const std::vector<ReplyBytes>& replies) {
  const std::uint16_t port = SocketSettings::Get().localPort;
  for (const ReplyBytes& reply : replies) m_network.Inject(port, reply.data(), reply.size());
}

void BenchApp::Deliver() {
  m_network.Deliver(1 << 30);
}

void BenchApp::ClickHeader(int controlIndex) {
  NMLISTVIEW click;
  click.hdr.hwndFrom = m_view->m_hWnd;
  click.hdr.idFrom = static_cast<UINT_PTR>(m_view->GetDlgCtrlID());
  click.hdr.code = static_cast<UINT>(LVN_COLUMNCLICK);
  click.iItem = -1;
  click.iSubItem = controlIndex;
  ::SendMessage(::GetParent(m_view->m_hWnd), WM_NOTIFY, click.hdr.idFrom,
                reinterpret_cast<LPARAM>(&click));
}

int BenchApp::RowCount() const {
  return m_view->GetListCtrl().GetItemCount();
}

bool BenchApp::RowsSorted() const {
  CListCtrl& list = m_view->GetListCtrl();
  const int rows = list.GetItemCount();
  for (int i = 1; i < rows; ++i) {
    if (CTarvexView::CompareDeviceRows(list.GetItemData(i - 1), list.GetItemData(i),
                                       m_view->m_nSortKey) > 0)
      return false;
  }
  return true;
}
