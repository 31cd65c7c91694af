// Seeded random sequences of column, item, order, drag and sort operations sent through the
// extension, checked after every step against the reference model.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>

#include "listctrl_fixture.h"
#include "support/ListModel.h"

namespace {

enum class OpKind {
  InsertColumn,
  DeleteColumn,
  ToggleColumn,
  SetOrderArray,
  SetColumnOrder,
  DragHeader,
  SetColumnWidth,
  SetColumnTitle,
  InsertItem,
  DeleteItem,
  SetItemText,
  SetItemByDescription,
  SetItemData,
  Sort,
  ClickHeader,
  DeleteAllItems,
};

// Parameters are raw numbers, read modulo the sizes at the time the step runs, so that any
// prefix of a sequence replays on its own.
struct Op {
  OpKind kind;
  std::uint32_t a, b, c;
  std::string text;
};

const char* const kWords[] = {"",     "a",     "Gateway", "10.0.0.1",
                              "名稱", "x y z", "ÀÉÎ",     "longer text"};

std::string RandomText(std::mt19937& rng) {
  std::string s = kWords[rng() % (sizeof kWords / sizeof kWords[0])];
  if (rng() % 4 == 0) s += std::to_string(rng() % 1000);
  return s;
}

std::uint32_t Draw(std::mt19937& rng) {
  return static_cast<std::uint32_t>(rng());
}

std::vector<Op> MakeOps(std::uint32_t seed, int count) {
  std::mt19937 rng(seed);
  std::vector<Op> ops;
  for (int i = 0; i < count; ++i) {
    // Weighted so that columns and items both grow and shrink.
    static const OpKind weighted[] = {
        OpKind::InsertColumn,  OpKind::InsertColumn,         OpKind::DeleteColumn,
        OpKind::ToggleColumn,  OpKind::ToggleColumn,         OpKind::ToggleColumn,
        OpKind::SetOrderArray, OpKind::SetColumnOrder,       OpKind::DragHeader,
        OpKind::DragHeader,    OpKind::SetColumnWidth,       OpKind::SetColumnTitle,
        OpKind::InsertItem,    OpKind::InsertItem,           OpKind::InsertItem,
        OpKind::DeleteItem,    OpKind::SetItemText,          OpKind::SetItemText,
        OpKind::SetItemText,   OpKind::SetItemByDescription, OpKind::SetItemData,
        OpKind::Sort,          OpKind::ClickHeader,          OpKind::ClickHeader};
    Op op{weighted[rng() % (sizeof weighted / sizeof weighted[0])],
          Draw(rng),
          Draw(rng),
          Draw(rng),
          {}};
    if (rng() % 200 == 0) op.kind = OpKind::DeleteAllItems;
    op.text = RandomText(rng);
    ops.push_back(op);
  }
  return ops;
}

class RandomRun {
 public:
  explicit RandomRun(std::uint32_t seed) : m_rng(seed ^ 0x5A5A5A5Au) {}

  // Applies one step to the list and the model; returns a description of what it did.
  std::string Apply(const Op& op) {
    std::ostringstream d;
    const int n = m_model.ColumnCount();
    const int items = m_model.ItemCount();
    const int visible = m_model.VisibleCount();
    switch (op.kind) {
      case OpKind::InsertColumn: {
        if (n >= 8) return "skip";
        const int at = static_cast<int>(op.a % static_cast<unsigned>(n + 1));
        const int order =
            op.b % 3 == 0 ? static_cast<int>(op.c % static_cast<unsigned>(n + 1)) : -1;
        const int width = 20 + static_cast<int>(op.c % 150);
        const bool canHide = op.b % 4 != 1;
        const std::string title = "col" + std::to_string(m_nextTitle++);
        d << "insert column " << at << " order " << order << " '" << title << "' w" << width;
        if (m_fixture.InsertColumn(at, title, width, canHide, order) < 0)
          return d.str() + " REFUSED";
        m_model.InsertColumn(at, order, title, width, canHide);
        break;
      }
      case OpKind::DeleteColumn: {
        if (n == 0) return "skip";
        const int c = static_cast<int>(op.a % static_cast<unsigned>(n));
        d << "delete column " << c;
        if (m_model.columns[static_cast<size_t>(c)].canHide) --m_fixture.List().m_nHideableCount;
        m_fixture.Send(LVM_DELETECOLUMN, static_cast<WPARAM>(c));
        m_model.DeleteColumn(c);
        break;
      }
      case OpKind::ToggleColumn: {
        if (n == 0) return "skip";
        const int c = static_cast<int>(op.a % static_cast<unsigned>(n));
        d << "toggle column " << c << " by command";
        m_fixture.Send(WM_COMMAND, static_cast<WPARAM>(c), 0);
        m_model.SetVisible(c, !m_model.columns[static_cast<size_t>(c)].visible);
        break;
      }
      case OpKind::SetOrderArray: {
        if (visible == 0) return "skip";
        std::vector<int> order(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
        std::shuffle(order.begin(), order.end(), m_rng);
        d << "set order array";
        for (int c : order) d << ' ' << c;
        if (op.b % 10 == 0) {
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
      case OpKind::SetColumnOrder: {
        if (n == 0) return "skip";
        const int c = static_cast<int>(op.a % static_cast<unsigned>(n));
        const int p = static_cast<int>(op.b % static_cast<unsigned>(n));
        d << "set column " << c << " order " << p;
        LVCOLUMNA col;
        col.mask = LVCF_ORDER;
        col.iOrder = p;
        if (m_fixture.Send(LVM_SETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col)))
          m_model.MoveColumn(c, p);
        break;
      }
      case OpKind::DragHeader: {
        if (visible == 0) return "skip";
        const int from = static_cast<int>(op.a % static_cast<unsigned>(visible));
        const int to = op.c % 8 == 0 ? -1 : static_cast<int>(op.b % static_cast<unsigned>(visible));
        const int headerItem = m_fixture.ControlOrderArray()[static_cast<size_t>(from)];
        d << "drag header item " << headerItem << " from " << from << " to " << to;
        m_fixture.DragHeader(headerItem, to);
        if (to >= 0) m_model.DragHeader(from, to);
        break;
      }
      case OpKind::SetColumnWidth: {
        if (n == 0) return "skip";
        const int c = static_cast<int>(op.a % static_cast<unsigned>(n));
        const int w = 10 + static_cast<int>(op.b % 200);
        d << "set column " << c << " width " << w;
        m_fixture.Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), MAKELPARAM(w, 0));
        m_model.columns[static_cast<size_t>(c)].width = w;
        break;
      }
      case OpKind::SetColumnTitle: {
        if (n == 0) return "skip";
        const int c = static_cast<int>(op.a % static_cast<unsigned>(n));
        const std::string title = "t" + op.text;
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
      case OpKind::InsertItem: {
        if (items >= 14 || n == 0) return "skip";
        const int at = static_cast<int>(op.a % static_cast<unsigned>(items + 2));
        const LPARAM data = 1000 + m_nextData++;
        d << "insert item " << at << " data " << data << " '" << op.text << "'";
        const int got = m_fixture.InsertItem(at, data, op.text);
        if (got != m_model.InsertItem(at, data, op.text))
          m_problem += "insert answered " + std::to_string(got) + "; ";
        break;
      }
      case OpKind::DeleteItem: {
        if (items == 0) return "skip";
        const int i = static_cast<int>(op.a % static_cast<unsigned>(items));
        d << "delete item " << i;
        if (m_fixture.Send(LVM_DELETEITEM, static_cast<WPARAM>(i)) != 1)
          m_problem += "delete refused; ";
        m_model.DeleteItem(i);
        break;
      }
      case OpKind::SetItemText:
      case OpKind::SetItemByDescription: {
        if (items == 0 || n == 0) return "skip";
        const int i = static_cast<int>(op.a % static_cast<unsigned>(items));
        const int c = static_cast<int>(op.b % static_cast<unsigned>(n));
        std::vector<char> buf(op.text.begin(), op.text.end());
        buf.push_back('\0');
        LVITEMA it;
        it.iItem = i;
        it.iSubItem = c;
        it.pszText = buf.data();
        if (op.kind == OpKind::SetItemText) {
          d << "set text " << i << "," << c << " '" << op.text << "'";
          if (m_fixture.Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(&it)) == 0)
            m_problem += "set text refused; ";
        } else {
          d << "set item " << i << "," << c << " '" << op.text << "'";
          it.mask = LVIF_TEXT;
          if (m_fixture.Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it)) == 0)
            m_problem += "set item refused; ";
        }
        m_model.SetCellText(i, c, op.text);
        break;
      }
      case OpKind::SetItemData: {
        if (items == 0 || n == 0) return "skip";
        const int i = static_cast<int>(op.a % static_cast<unsigned>(items));
        const LPARAM data = 1000 + m_nextData++;
        d << "set data " << i << " = " << data;
        LVITEMA it;
        it.mask = LVIF_PARAM;
        it.iItem = i;
        it.iSubItem = static_cast<int>(op.b % static_cast<unsigned>(n));
        it.lParam = data;
        m_fixture.Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        m_model.items[static_cast<size_t>(i)].data = data;
        break;
      }
      case OpKind::Sort: {
        const bool ascending = op.a % 2 == 0;
        d << "sort by data " << (ascending ? "ascending" : "descending");
        m_fixture.Send(LVM_SORTITEMS, ascending ? 1 : 0,
                       reinterpret_cast<LPARAM>(&RandomRun::CompareData));
        m_model.SortByData(ascending);
        break;
      }
      case OpKind::ClickHeader: {
        if (visible == 0) return "skip";
        const int k = static_cast<int>(op.a % static_cast<unsigned>(visible));
        d << "click header item " << k;
        m_fixture.ClickHeader(k);
        m_model.HeaderClick(k);
        break;
      }
      case OpKind::DeleteAllItems:
        d << "delete all items";
        if (m_fixture.Send(LVM_DELETEALLITEMS) != 1) m_problem += "delete all refused; ";
        m_model.items.clear();
        break;
    }
    return d.str();
  }

  // Every read through the extension agrees with the model, and the control holds exactly the
  // visible columns at the right places. Returns the first disagreement, empty when none.
  std::string Check() {
    std::ostringstream e;
    e << m_problem;
    m_problem.clear();
    CListViewEx& list = m_fixture.List();
    const int n = m_model.ColumnCount();
    if (list.ColumnCount() != n) return "column count differs";
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

    if (m_fixture.Send(LVM_GETITEMCOUNT) != m_model.ItemCount()) return e.str() + "item count";
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
          e << "text " << i << "," << c << " '" << m_fixture.Text(i, c) << "' expected '"
            << expected << "'; ";
        if (m_fixture.TextByGetItem(i, c) != expected)
          e << "GETITEM text " << i << "," << c << "; ";
        if (m_model.columns[static_cast<size_t>(c)].visible &&
            m_fixture.ControlText(i, m_model.ControlIndexOf(c)) != expected)
          e << "control text " << i << "," << c << "; ";
      }
    }
    return e.str();
  }

  static int CompareData(LPARAM a, LPARAM b, LPARAM ascending) {
    const int r = a < b ? -1 : (a > b ? 1 : 0);
    return ascending != 0 ? r : -r;
  }

 private:
  ListFixture m_fixture;
  ListModel m_model;
  std::mt19937 m_rng;
  std::string m_problem;
  int m_nextTitle = 0;
  LPARAM m_nextData = 0;
};

// Runs the sequence; on the first disagreement reports the seed and the failing prefix.
void RunSequence(std::uint32_t seed, int steps) {
  const std::vector<Op> ops = MakeOps(seed, steps);
  RandomRun run(seed);
  std::vector<std::string> done;
  for (const Op& op : ops) {
    done.push_back(run.Apply(op));
    const std::string problem = run.Check();
    if (problem.empty()) continue;
    std::ostringstream prefix;
    for (size_t i = 0; i < done.size(); ++i)
      if (done[i] != "skip") prefix << "  " << i << ": " << done[i] << "\n";
    FAIL() << "seed " << seed << ", shortest failing prefix (" << done.size() << " steps):\n"
           << prefix.str() << "problem: " << problem;
  }
}

TEST(ListExtensionRandom, ReadsAgreeWithModelAfterEveryStep) {
  for (std::uint32_t seed : {1u, 2u, 3u, 20261211u, 77u}) RunSequence(seed, 1500);
}

}  // namespace
