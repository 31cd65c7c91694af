#include "ListOpsRun.h"

#include <algorithm>
#include <sstream>

namespace {

enum Kind {
  kInsertColumn,
  kDeleteColumn,
  kToggleColumn,
  kSetOrderArray,
  kSetColumnOrder,
  kDragHeader,
  kSetColumnWidth,
  kSetColumnTitle,
  kInsertItem,
  kDeleteItem,
  kSetItemText,
  kSetItemByDescription,
  kSetItemData,
  kSort,
  kClickHeader,
  kDeleteAllItems,
  kKindCount
};

const char* const kWords[] = {"",     "a",     "Gateway", "10.0.0.1",
                              "名稱", "x y z", "ÀÉÎ",     "longer text"};

std::string Text(std::uint8_t c) {
  std::string s = kWords[c % 8];
  if (c >= 0xC0) s += std::to_string(c);
  return s;
}

int Mod(std::uint8_t v, int n) {
  return static_cast<int>(v % static_cast<unsigned>(n));
}

}  // namespace

std::vector<ListOpsRun::Op> ListOpsRun::Decode(const std::uint8_t* data, std::size_t size) {
  std::vector<Op> ops;
  for (std::size_t i = 0; i + kOpBytes <= size; i += kOpBytes)
    ops.push_back(Op{data[i], data[i + 1], data[i + 2], data[i + 3]});
  return ops;
}

int ListOpsRun::CompareData(LPARAM a, LPARAM b, LPARAM ascending) {
  const int r = a < b ? -1 : (a > b ? 1 : 0);
  return ascending != 0 ? r : -r;
}

std::string ListOpsRun::Apply(const Op& op) {
  return op.kind % kKindCount < kInsertItem ? ApplyColumnOp(op) : ApplyItemOp(op);
}

std::string ListOpsRun::ApplyColumnOp(const Op& op) {
  std::ostringstream d;
  const int n = m_model.ColumnCount();
  const int visible = m_model.VisibleCount();
  switch (op.kind % kKindCount) {
    case kInsertColumn: {
      if (n >= 8) return "skip";
      const int at = Mod(op.a, n + 1);
      const int order = op.b % 3 == 0 ? Mod(op.c, n + 1) : -1;
      const int width = 20 + op.c % 150;
      const bool canHide = op.b % 4 != 1;
      const std::string title = "col" + std::to_string(m_nextTitle++);
      d << "insert column " << at << " order " << order << " '" << title << "' w" << width;
      if (m_fixture.InsertColumn(at, title, width, canHide, order) < 0) return d.str() + " REFUSED";
      m_model.InsertColumn(at, order, title, width, canHide);
      break;
    }
    case kDeleteColumn: {
      if (n == 0) return "skip";
      const int c = Mod(op.a, n);
      d << "delete column " << c;
      // The extension leaves the hideable count to its owner, as the list-extension tests do.
      if (m_model.columns[static_cast<size_t>(c)].canHide) --m_fixture.List().m_nHideableCount;
      m_fixture.Send(LVM_DELETECOLUMN, static_cast<WPARAM>(c));
      m_model.DeleteColumn(c);
      break;
    }
    case kToggleColumn: {
      if (n == 0) return "skip";
      const int c = Mod(op.a, n);
      d << "toggle column " << c << " by command";
      m_fixture.Send(WM_COMMAND, static_cast<WPARAM>(c), 0);
      m_model.SetVisible(c, !m_model.columns[static_cast<size_t>(c)].visible);
      break;
    }
    case kSetOrderArray: {
      if (visible == 0) return "skip";
      std::vector<int> order(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
      // A permutation from the operation's bytes: a few swaps.
      std::uint32_t x = (static_cast<std::uint32_t>(op.a) << 8) | op.b;
      for (int i = n - 1; i > 0; --i) {
        x = x * 1103515245u + 12345u;
        std::swap(order[static_cast<size_t>(i)], order[(x >> 16) % static_cast<unsigned>(i + 1)]);
      }
      d << "set order array";
      for (int c : order) d << ' ' << c;
      if (op.c % 10 == 0) {
        order.back() = n;  // out of range: refused, nothing moves
        d << " (last out of range)";
        if (m_fixture.Send(LVM_SETCOLUMNORDERARRAY, order.size(),
                           reinterpret_cast<LPARAM>(order.data())) != 0)
          m_problem += "bad order array taken; ";
        break;
      }
      if (m_fixture.Send(LVM_SETCOLUMNORDERARRAY, order.size(),
                         reinterpret_cast<LPARAM>(order.data())) != 0)
        m_model.SetOrderArray(order);
      break;
    }
    case kSetColumnOrder: {
      if (n == 0) return "skip";
      const int c = Mod(op.a, n);
      const int p = Mod(op.b, n);
      d << "set column " << c << " order " << p;
      LVCOLUMNA col;
      col.mask = LVCF_ORDER;
      col.iOrder = p;
      if (m_fixture.Send(LVM_SETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col)))
        m_model.MoveColumn(c, p);
      break;
    }
    case kDragHeader: {
      if (visible == 0) return "skip";
      const int from = Mod(op.a, visible);
      const int to = op.c % 8 == 0 ? -1 : Mod(op.b, visible);
      const int headerItem = m_fixture.ControlOrderArray()[static_cast<size_t>(from)];
      d << "drag header item " << headerItem << " from " << from << " to " << to;
      m_fixture.DragHeader(headerItem, to);
      if (to >= 0) m_model.DragHeader(from, to);
      break;
    }
    case kSetColumnWidth: {
      if (n == 0) return "skip";
      const int c = Mod(op.a, n);
      const int w = 10 + op.b % 200;
      d << "set column " << c << " width " << w;
      m_fixture.Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), MAKELPARAM(w, 0));
      m_model.columns[static_cast<size_t>(c)].width = w;
      break;
    }
    case kSetColumnTitle: {
      if (n == 0) return "skip";
      const int c = Mod(op.a, n);
      const std::string title = "t" + Text(op.c);
      d << "set column " << c << " title '" << title << "'";
      std::vector<char> buf(title.begin(), title.end());
      buf.push_back('\0');
      LVCOLUMNA col;
      col.mask = LVCF_TEXT;
      col.pszText = buf.data();
      m_fixture.Send(LVM_SETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
      m_model.columns[static_cast<size_t>(c)].title = title;
      break;
    }
  }
  return d.str();
}

std::string ListOpsRun::ApplyItemOp(const Op& op) {
  std::ostringstream d;
  const int n = m_model.ColumnCount();
  const int items = m_model.ItemCount();
  const int visible = m_model.VisibleCount();
  const std::string text = Text(op.c);
  switch (op.kind % kKindCount) {
    case kInsertItem: {
      if (items >= 14 || n == 0) return "skip";
      const int at = Mod(op.a, items + 2);
      const LPARAM data = 1000 + m_nextData++;
      d << "insert item " << at << " data " << data << " '" << text << "'";
      const int got = m_fixture.InsertItem(at, data, text);
      if (got != m_model.InsertItem(at, data, text))
        m_problem += "insert answered " + std::to_string(got) + "; ";
      break;
    }
    case kDeleteItem: {
      if (items == 0) return "skip";
      const int i = Mod(op.a, items);
      d << "delete item " << i;
      if (m_fixture.Send(LVM_DELETEITEM, static_cast<WPARAM>(i)) != 1)
        m_problem += "delete refused; ";
      m_model.DeleteItem(i);
      break;
    }
    case kSetItemText:
    case kSetItemByDescription: {
      if (items == 0 || n == 0) return "skip";
      const int i = Mod(op.a, items);
      const int c = Mod(op.b, n);
      std::vector<char> buf(text.begin(), text.end());
      buf.push_back('\0');
      LVITEMA it;
      it.iItem = i;
      it.iSubItem = c;
      it.pszText = buf.data();
      if (op.kind % kKindCount == kSetItemText) {
        d << "set text " << i << "," << c << " '" << text << "'";
        if (m_fixture.Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(&it)) == 0)
          m_problem += "set text refused; ";
      } else {
        d << "set item " << i << "," << c << " '" << text << "'";
        it.mask = LVIF_TEXT;
        if (m_fixture.Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it)) == 0)
          m_problem += "set item refused; ";
      }
      m_model.SetCellText(i, c, text);
      break;
    }
    case kSetItemData: {
      if (items == 0 || n == 0) return "skip";
      const int i = Mod(op.a, items);
      const LPARAM data = 1000 + m_nextData++;
      d << "set data " << i << " = " << data;
      LVITEMA it;
      it.mask = LVIF_PARAM;
      it.iItem = i;
      it.iSubItem = Mod(op.b, n);
      it.lParam = data;
      m_fixture.Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
      m_model.items[static_cast<size_t>(i)].data = data;
      break;
    }
    case kSort: {
      const bool ascending = op.a % 2 == 0;
      d << "sort by data " << (ascending ? "ascending" : "descending");
      m_fixture.Send(LVM_SORTITEMS, ascending ? 1 : 0,
                     reinterpret_cast<LPARAM>(&ListOpsRun::CompareData));
      m_model.SortByData(ascending);
      break;
    }
    case kClickHeader: {
      if (visible == 0) return "skip";
      const int k = Mod(op.a, visible);
      d << "click header item " << k;
      m_fixture.ClickHeader(k);
      m_model.HeaderClick(k);
      break;
    }
    case kDeleteAllItems:
      d << "delete all items";
      if (m_fixture.Send(LVM_DELETEALLITEMS) != 1) m_problem += "delete all refused; ";
      m_model.items.clear();
      break;
  }
  return d.str();
}

std::string ListOpsRun::Check() {
  std::string problem = m_problem;
  m_problem.clear();
  if (m_fixture.List().ColumnCount() != m_model.ColumnCount()) return problem + "column count";
  problem += CheckColumns();
  if (m_fixture.Send(LVM_GETITEMCOUNT) != m_model.ItemCount()) return problem + "item count";
  return problem + CheckItems();
}

std::string ListOpsRun::CheckColumns() {
  std::ostringstream e;
  CListViewEx& list = m_fixture.List();
  const int n = m_model.ColumnCount();
  if (list.m_nSortState != m_model.sortState)
    e << "sort state " << list.m_nSortState << " expected " << m_model.sortState << "; ";
  if (m_fixture.OrderArray() != m_model.logical) e << "order array differs; ";
  for (int c = 0; c < n; ++c) {
    const ListModel::Column& mc = m_model.columns[static_cast<size_t>(c)];
    char title[64] = {};
    LVCOLUMNA col;
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_ORDER | LVCF_SUBITEM;
    col.pszText = title;
    col.cchTextMax = sizeof title;
    m_fixture.Send(LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    if (mc.title != title) e << "column " << c << " title '" << title << "'; ";
    if (col.cx != mc.width)
      e << "column " << c << " width " << col.cx << " expected " << mc.width << "; ";
    if (col.iOrder != m_model.LogicalOrderOf(c))
      e << "column " << c << " order " << col.iOrder << "; ";
    if (col.iSubItem != c) e << "column " << c << " subitem " << col.iSubItem << "; ";
    const LRESULT w = m_fixture.Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c));
    if (w != (mc.visible ? mc.width : 0)) e << "column " << c << " GETCOLUMNWIDTH " << w << "; ";
    if (list.Column(c).m_bVisible != mc.visible) e << "column " << c << " visibility; ";
  }
  // The control: exactly the visible columns, in column-number order, at their positions.
  if (m_fixture.HeaderCount() != m_model.VisibleCount()) e << "control column count; ";
  for (int c = 0; c < n; ++c) {
    if (!m_model.columns[static_cast<size_t>(c)].visible) continue;
    const int k = m_model.ControlIndexOf(c);
    if (m_fixture.ControlColumnTitle(k) != m_model.columns[static_cast<size_t>(c)].title)
      e << "control column " << k << " is not column " << c << "; ";
  }
  std::vector<int> expectedDisplay;
  for (int c : m_model.VisibleInDisplayOrder())
    expectedDisplay.push_back(m_model.ControlIndexOf(c));
  if (m_fixture.ControlOrderArray() != expectedDisplay) e << "control display order; ";
  return e.str();
}

std::string ListOpsRun::CheckItems() {
  std::ostringstream e;
  const int n = m_model.ColumnCount();
  for (int i = 0; i < m_model.ItemCount(); ++i) {
    const LPARAM data = m_model.items[static_cast<size_t>(i)].data;
    // Item reads name a column: a list without columns answers none of them.
    if (n > 0 && m_fixture.Data(i) != data) e << "item " << i << " data; ";
    LVFINDINFOA find;
    find.flags = LVFI_PARAM;
    find.lParam = data;
    if (m_fixture.Send(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)) !=
        i)
      e << "find item " << i << "; ";
    for (int c = 0; c < n; ++c) {
      const std::string expected = m_model.CellText(i, c);
      if (m_fixture.Text(i, c) != expected)
        e << "text " << i << "," << c << " '" << m_fixture.Text(i, c) << "' expected '" << expected
          << "'; ";
      if (m_fixture.TextByGetItem(i, c) != expected) e << "GETITEM text " << i << "," << c << "; ";
      if (m_model.columns[static_cast<size_t>(c)].visible &&
          m_fixture.ControlText(i, m_model.ControlIndexOf(c)) != expected)
        e << "control text " << i << "," << c << "; ";
    }
  }
  return e.str();
}

std::string ListOpsRun::Run(const std::vector<Op>& ops) {
  ListOpsRun run;
  std::ostringstream done;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    const std::string what = run.Apply(ops[i]);
    if (what != "skip") done << "  " << i << ": " << what << "\n";
    const std::string problem = run.Check();
    if (!problem.empty()) return done.str() + "problem: " + problem;
  }
  return {};
}
