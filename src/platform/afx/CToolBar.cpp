#include "CToolBar.h"

#include "CCmdTarget.h"
#include "Resources.h"

BEGIN_MESSAGE_MAP(CToolBar, CWnd)
END_MESSAGE_MAP()

namespace {

std::string LineOf(UINT id, int line) {
  std::string text = AfxLoadString(id);
  size_t nl = text.find('\n');
  if (line == 0) return nl == std::string::npos ? text : text.substr(0, nl);
  return nl == std::string::npos ? std::string() : text.substr(nl + 1);
}

// Collects what an update handler says about one button.
class CToolCmdUI final : public CCmdUI {
 public:
  bool enabled = true;
  bool checked = false;
  void Enable(BOOL on) override {
    enabled = on != FALSE;
    m_bEnableChanged = true;
  }
  void SetCheck(int check) override { checked = check != 0; }
};

}  // namespace

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, const RECT&, UINT id) {
  m_dwStyle = style;
  m_dwCtrlStyle = ctrlStyle;
  // Bar alignment and tooltip bits are the bar's own, not the window's.
  const DWORD barBits = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM |
                        CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
  return CWnd::CreateEx(0, "ToolbarWindow32", "", (style & ~barBits) | ctrlStyle, RECT{}, parent,
                        id);
}

BOOL CToolBar::LoadToolBar(UINT id) {
  auto& toolbars = ResourceTable::Get().toolbars;
  auto it = toolbars.find(id);
  if (it == toolbars.end()) return FALSE;
  m_nIDResource = id;
  m_sizeButton = SIZE{it->second.buttonWidth, it->second.buttonHeight};
  m_strip = it->second.strip;
  m_buttons.clear();
  int image = 0;
  for (UINT cmd : it->second.buttons) {
    Button button;
    button.id = cmd;
    if (cmd != ID_SEPARATOR) button.image = image++;
    m_buttons.push_back(button);
  }
  if (m_observer != nullptr) m_observer->ButtonsChanged(*this);
  return TRUE;
}

int CToolBar::CommandToIndex(UINT id) const {
  for (size_t i = 0; i < m_buttons.size(); ++i)
    if (m_buttons[i].id == id) return static_cast<int>(i);
  return -1;
}

UINT CToolBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? m_buttons[static_cast<size_t>(index)].id : ID_SEPARATOR;
}

bool CToolBar::SetButtonState(int index, bool enabled, bool checked) {
  if (index < 0 || index >= GetCount()) return false;
  Button& b = m_buttons[static_cast<size_t>(index)];
  if (b.enabled == enabled && b.checked == checked) return false;
  b.enabled = enabled;
  b.checked = checked;
  return true;
}

std::string CToolBar::PromptFor(UINT id) {
  return LineOf(id, 0);
}

std::string CToolBar::TooltipFor(UINT id) {
  return LineOf(id, 1);
}

void CToolBar::OnUpdateCmdUI(CWnd* target, BOOL disableIfNoHandler) {
  if (target == nullptr) return;
  bool changed = false;
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    const Button& b = m_buttons[i];
    if (b.id == ID_SEPARATOR) continue;
    CToolCmdUI ui;
    ui.m_nID = b.id;
    ui.m_nIndex = static_cast<UINT>(i);
    ui.enabled = b.enabled;
    ui.checked = b.checked;
    ui.DoUpdate(target, disableIfNoHandler != FALSE);
    changed = SetButtonState(static_cast<int>(i), ui.enabled, ui.checked) || changed;
  }
  if (changed && m_observer != nullptr) m_observer->ButtonsChanged(*this);
}

CDC* CToolBar::GetDC() {
  return m_observer != nullptr ? m_observer->GetDC(*this) : nullptr;
}

int CToolBar::ReleaseDC(CDC* dc) {
  if (dc == nullptr || m_observer == nullptr) return 0;
  m_observer->ReleaseDC(*this, dc);
  return 1;
}
