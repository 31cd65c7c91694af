#include "CMenu.h"

#include "CCmdTarget.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "Services.h"

namespace {

std::unique_ptr<MenuObject> BuildMenu(const MenuResource& res) {
  auto menu = std::make_unique<MenuObject>();
  for (const MenuResource& r : res.items) {
    MenuItem item;
    item.text = r.text;
    if (r.separator) {
      item.flags = MF_SEPARATOR;
    } else if (!r.items.empty()) {
      item.flags = MF_POPUP;
      item.popup = BuildMenu(r);
    } else {
      item.id = r.id;
    }
    menu->items.push_back(std::move(item));
  }
  return menu;
}

MenuItem* FindById(MenuObject* menu, UINT id) {
  for (MenuItem& item : menu->items) {
    if (item.popup) {
      if (MenuItem* found = FindById(item.popup.get(), id)) return found;
    } else if ((item.flags & MF_SEPARATOR) == 0 && item.id == id) {
      return &item;
    }
  }
  return nullptr;
}

// Copies what an update handler says into one menu item.
class CMenuItemCmdUI final : public CCmdUI {
 public:
  explicit CMenuItemCmdUI(MenuItem& item) : m_item(item) { m_nID = item.id; }
  void Enable(BOOL on) override {
    m_item.flags = on ? (m_item.flags & ~(MF_GRAYED | MF_DISABLED)) : (m_item.flags | MF_GRAYED);
    m_bEnableChanged = true;
  }
  void SetCheck(int check) override {
    m_item.flags = check != 0 ? (m_item.flags | MF_CHECKED) : (m_item.flags & ~MF_CHECKED);
  }

 private:
  MenuItem& m_item;
};

}  // namespace

CMenu::~CMenu() {
  DestroyMenu();
}

BOOL CMenu::LoadMenu(UINT id) {
  DestroyMenu();
  auto& menus = ResourceTable::Get().menus;
  auto it = menus.find(id);
  if (it == menus.end()) return FALSE;
  return Attach(BuildMenu(it->second).release());
}

BOOL CMenu::DestroyMenu() {
  m_subMenus.clear();
  if (m_hMenu == nullptr) return FALSE;
  if (m_owned) delete m_hMenu;
  m_hMenu = nullptr;
  m_owned = false;
  return TRUE;
}

BOOL CMenu::Attach(HMENU menu) {
  DestroyMenu();
  if (menu == nullptr) return FALSE;
  m_hMenu = menu;
  m_owned = true;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  m_subMenus.clear();
  m_hMenu = nullptr;
  m_owned = false;
  return menu;
}

CMenu* CMenu::GetSubMenu(int pos) const {
  if (m_hMenu == nullptr || pos < 0 || static_cast<size_t>(pos) >= m_hMenu->items.size())
    return nullptr;
  MenuObject* popup = m_hMenu->items[static_cast<size_t>(pos)].popup.get();
  if (popup == nullptr) return nullptr;
  for (auto& sub : m_subMenus)
    if (sub->m_hMenu == popup) return sub.get();
  auto sub = std::make_unique<CMenu>();
  sub->m_hMenu = popup;  // not owned: it lives inside this menu
  m_subMenus.push_back(std::move(sub));
  return m_subMenus.back().get();
}

UINT CMenu::GetMenuItemCount() const {
  return m_hMenu != nullptr ? static_cast<UINT>(m_hMenu->items.size()) : 0;
}

UINT CMenu::GetMenuItemID(int pos) const {
  if (m_hMenu == nullptr || pos < 0 || static_cast<size_t>(pos) >= m_hMenu->items.size()) return 0;
  const MenuItem& item = m_hMenu->items[static_cast<size_t>(pos)];
  return item.popup ? static_cast<UINT>(-1) : item.id;
}

std::string CMenu::GetMenuString(int pos) const {
  if (m_hMenu == nullptr || pos < 0 || static_cast<size_t>(pos) >= m_hMenu->items.size()) return {};
  return m_hMenu->items[static_cast<size_t>(pos)].text;
}

MenuItem* CMenu::FindItem(UINT item, UINT flags) const {
  if (m_hMenu == nullptr) return nullptr;
  if ((flags & MF_BYPOSITION) != 0)
    return item < m_hMenu->items.size() ? &m_hMenu->items[item] : nullptr;
  return FindById(m_hMenu, item);
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) {
  MenuItem* found = FindItem(item, check);
  if (found == nullptr) return static_cast<UINT>(-1);
  UINT old = found->flags & MF_CHECKED;
  found->flags = (found->flags & ~MF_CHECKED) | (check & MF_CHECKED);
  return old;
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
  MenuItem* found = FindItem(item, enable);
  if (found == nullptr) return static_cast<UINT>(-1);
  UINT old = found->flags & (MF_GRAYED | MF_DISABLED);
  found->flags = (found->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return old;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
  MenuItem* found = FindItem(item, flags);
  return found != nullptr ? found->flags : static_cast<UINT>(-1);
}

void CMenu::UpdateItemStates(CMenu& menu, CWnd* frame) {
  if (menu.m_hMenu == nullptr || frame == nullptr) return;
  UINT index = 0;
  for (MenuItem& item : menu.m_hMenu->items) {
    if (!item.popup && (item.flags & MF_SEPARATOR) == 0 && item.id != 0) {
      CMenuItemCmdUI ui(item);
      ui.m_nIndex = index;
      ui.DoUpdate(frame, true);
    }
    ++index;
  }
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
  if (m_hMenu == nullptr) return FALSE;
  // The pop-up belongs to the frame, so its commands route and update like the menu bar's.
  CWnd* frame = owner;
  if (frame != nullptr && !frame->IsFrameWnd()) {
    CWnd* parentFrame = owner->GetParentFrame();
    if (parentFrame != nullptr) frame = parentFrame;
  }
  if (frame == nullptr) frame = AfxGetMainWnd();
  UpdateItemStates(*this, frame);
  if (AfxServices().desktop == nullptr) return FALSE;
  UINT chosen = AfxServices().desktop->TrackPopupMenu(*this, flags, POINT{x, y}, frame);
  // The menu has closed: the message pane goes back to its idle text.
  if (frame != nullptr && IsWindow(frame->m_hWnd))
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  if ((flags & TPM_RETURNCMD) != 0) return static_cast<BOOL>(chosen);
  if (chosen != 0 && frame != nullptr && IsWindow(frame->m_hWnd))
    frame->SendMessage(WM_COMMAND, chosen, 0);
  return chosen != 0 ? TRUE : FALSE;
}
