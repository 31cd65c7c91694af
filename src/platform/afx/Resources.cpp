#include "Resources.h"

ResourceTable& ResourceTable::Get() {
  static ResourceTable table;
  return table;
}

bool AfxLoadString(UINT id, std::string& out) {
  auto& strings = ResourceTable::Get().strings;
  auto it = strings.find(id);
  if (it == strings.end()) {
    out.clear();
    return false;
  }
  out = it->second;
  return true;
}

std::string AfxLoadString(UINT id) {
  std::string s;
  AfxLoadString(id, s);
  return s;
}
