#include "SystemCursors.h"

#include <map>

HCURSOR SystemCursor(int id) {
  // Handles stay valid for the whole run, as the system's own cursors do.
  static std::map<int, CursorObject> cursors;
  auto it = cursors.try_emplace(id, CursorObject{id}).first;
  return &it->second;
}
