#include "HeaderItems.h"

#include <algorithm>

int HeaderItems::Insert(int index, HeaderItem item, int order) {
  index = std::clamp(index, 0, Count());
  if (order < 0 || order > Count()) order = std::min(index, Count());
  for (int& i : m_order)
    if (i >= index) ++i;
  m_items.insert(m_items.begin() + index, std::move(item));
  m_order.insert(m_order.begin() + order, index);
  return index;
}

bool HeaderItems::Erase(int index) {
  if (!Has(index)) return false;
  m_order.erase(std::find(m_order.begin(), m_order.end(), index));
  for (int& i : m_order)
    if (i > index) --i;
  m_items.erase(m_items.begin() + index);
  return true;
}

int HeaderItems::OrderOf(int index) const {
  auto it = std::find(m_order.begin(), m_order.end(), index);
  return it == m_order.end() ? -1 : static_cast<int>(it - m_order.begin());
}

int HeaderItems::IndexAt(int order) const {
  return order >= 0 && order < Count() ? m_order[static_cast<size_t>(order)] : -1;
}

void HeaderItems::Move(int index, int order) {
  int from = OrderOf(index);
  if (from < 0) return;
  order = std::clamp(order, 0, Count() - 1);
  m_order.erase(m_order.begin() + from);
  m_order.insert(m_order.begin() + order, index);
}

bool HeaderItems::SetOrder(const int* order, int count) {
  if (order == nullptr || count != Count()) return false;
  std::vector<bool> seen(static_cast<size_t>(count), false);
  for (int i = 0; i < count; ++i) {
    if (order[i] < 0 || order[i] >= count || seen[static_cast<size_t>(order[i])]) return false;
    seen[static_cast<size_t>(order[i])] = true;
  }
  m_order.assign(order, order + count);
  return true;
}

int HeaderItems::Left(int index) const {
  int x = 0;
  for (int i : m_order) {
    if (i == index) return x;
    x += std::max(0, m_items[static_cast<size_t>(i)].width);
  }
  return x;
}

int HeaderItems::TotalWidth() const {
  int x = 0;
  for (const HeaderItem& item : m_items) x += std::max(0, item.width);
  return x;
}
