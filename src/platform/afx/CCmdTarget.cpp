#include "CCmdTarget.h"

const MsgMap* CCmdTarget::GetThisMessageMap() {
  static const MsgMapEntry entries[] = {{MsgKind::End, 0, 0, 0, 0, nullptr}};
  static const MsgMap map = {nullptr, entries};
  return &map;
}

const MsgMap* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

const MsgMapEntry* CCmdTarget::FindEntry(MsgKind kind, UINT message, int code, UINT id) const {
  for (const MsgMap* map = GetMessageMap(); map != nullptr;
       map = map->base != nullptr ? map->base() : nullptr) {
    for (const MsgMapEntry* e = map->entries; e->kind != MsgKind::End; ++e) {
      if (e->kind != kind) continue;
      switch (kind) {
        case MsgKind::Message:
          if (e->message == message) return e;
          break;
        case MsgKind::Command:
        case MsgKind::UpdateCommandUI:
          if (id >= e->idFirst && id <= e->idLast) return e;
          break;
        case MsgKind::Notify:
          if (e->code == code && id >= e->idFirst && id <= e->idLast) return e;
          break;
        case MsgKind::NotifyReflect:
          if (e->code == code) return e;
          break;
        case MsgKind::End:
          break;
      }
    }
  }
  return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra) {
  if (nCode == CN_UPDATE_COMMAND_UI) {
    const MsgMapEntry* e = FindEntry(MsgKind::UpdateCommandUI, 0, 0, nID);
    if (e == nullptr) return false;
    auto* ui = static_cast<CCmdUI*>(pExtra);
    MsgArgs args;
    args.id = nID;
    args.cmdUI = ui;
    ui->m_bContinueRouting = false;
    e->fn(this, args);
    return !ui->m_bContinueRouting;
  }
  if (nCode == CN_COMMAND) {
    const MsgMapEntry* e = FindEntry(MsgKind::Command, 0, 0, nID);
    if (e == nullptr) return false;
    if (pExtra != nullptr) return true;  // only asked whether a handler exists
    MsgArgs args;
    args.id = nID;
    return e->fn(this, args);
  }
  return false;
}

// Asks whether a command handler exists without running it.
static bool HasCommandHandler(CCmdTarget* target, UINT id) {
  static int probe;
  return target->OnCmdMsg(id, CN_COMMAND, &probe);
}

void CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler) {
  m_bEnableChanged = false;
  if (target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this)) return;
  if (disableIfNoHandler && !m_bEnableChanged) Enable(HasCommandHandler(target, m_nID));
}
