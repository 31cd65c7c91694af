#include "CCmdTarget.h"

#include <cstddef>
#include <functional>
#include <unordered_map>

const MsgMap* CCmdTarget::GetThisMessageMap() {
  static const MsgMapEntry entries[] = {{MsgKind::End, 0, 0, 0, 0, nullptr}};
  static const MsgMap map = {nullptr, entries};
  return &map;
}

const MsgMap* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

namespace {

// What a lookup asks: the class's table and the message, notification or command.
struct EntryKey {
  const MsgMap* map;
  MsgKind kind;
  UINT message;
  int code;
  UINT id;
  bool operator==(const EntryKey& o) const {
    return map == o.map && kind == o.kind && message == o.message && code == o.code && id == o.id;
  }
};

struct EntryKeyHash {
  std::size_t operator()(const EntryKey& k) const {
    std::size_t h = std::hash<const void*>()(k.map);
    for (std::size_t v :
         {static_cast<std::size_t>(k.kind), static_cast<std::size_t>(k.message),
          static_cast<std::size_t>(static_cast<unsigned>(k.code)), static_cast<std::size_t>(k.id)})
      h = h * 1000003u ^ v;
    return h;
  }
};

// Tables are static and never change, so an answer found once holds for good.
constexpr std::size_t kEntryCacheLimit = 4096;

const MsgMapEntry* SearchEntry(const MsgMap* top, MsgKind kind, UINT message, int code, UINT id) {
  for (const MsgMap* map = top; map != nullptr;
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

}  // namespace

const MsgMapEntry* CCmdTarget::FindEntry(MsgKind kind, UINT message, int code, UINT id) const {
  // Every message sent to a window searches its class's tables: a long walk for messages
  // handled far down or not at all. The answers are kept (a bounded number of them).
  thread_local std::unordered_map<EntryKey, const MsgMapEntry*, EntryKeyHash> cache;
  const MsgMap* top = GetMessageMap();
  const EntryKey key{top, kind, kind == MsgKind::Message ? message : 0,
                     kind == MsgKind::Notify || kind == MsgKind::NotifyReflect ? code : 0,
                     kind == MsgKind::Message || kind == MsgKind::NotifyReflect ? 0 : id};
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  const MsgMapEntry* entry = SearchEntry(top, kind, message, code, id);
  if (cache.size() >= kEntryCacheLimit) cache.clear();
  cache.emplace(key, entry);
  return entry;
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
