// The item store of the list-view control keeps long lists in blocks: inserts and erases at
// any place, block splits and emptied blocks must leave every row at the index a plain array
// would give it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/listview/ListItemStore.h"

namespace {

ListRow RowWith(LPARAM data) {
  ListRow row;
  row.lParam = data;
  return row;
}

void ExpectSame(const ListItemStore& store, const std::vector<LPARAM>& model) {
  ASSERT_EQ(store.Count(), static_cast<int>(model.size()));
  for (int i = 0; i < store.Count(); ++i)
    ASSERT_EQ(store.Row(i).lParam, model[static_cast<size_t>(i)]) << "row " << i;
}

int Ascending(LPARAM a, LPARAM b, LPARAM) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

TEST(ListItemStore, RandomInsertsAndErasesAcrossManyBlocksKeepArrayOrder) {
  ListItemStore store;
  std::vector<LPARAM> model;
  std::mt19937 random(11);
  LPARAM next = 0;
  // Mostly inserts, so the list grows past many block splits; erases empty some blocks.
  for (int step = 0; step < 6000; ++step) {
    const int count = store.Count();
    if (count > 0 && random() % 4 == 0) {
      const int at = static_cast<int>(random() % static_cast<unsigned>(count));
      store.Erase(at);
      model.erase(model.begin() + at);
    } else {
      const int at =
          static_cast<int>(random() % static_cast<unsigned>(count + 2));  // past the end too
      const int taken = store.Insert(at, RowWith(next));
      ASSERT_EQ(taken, std::min(at, count));
      model.insert(model.begin() + taken, next++);
    }
  }
  ExpectSame(store, model);
  // Erasing a whole run from the front empties blocks one after another.
  for (int i = 0; i < 1500; ++i) {
    store.Erase(0);
    model.erase(model.begin());
  }
  ExpectSame(store, model);
}

TEST(ListItemStore, SortAfterInsertsOrdersEveryRowAndInsertsStillWork) {
  ListItemStore store;
  std::vector<LPARAM> model;
  std::mt19937 random(5);
  for (int i = 0; i < 3000; ++i) {
    const auto value = static_cast<LPARAM>(random() % 100000);
    store.Insert(store.Count(), RowWith(value));
    model.push_back(value);
  }
  ASSERT_TRUE(store.Sort(&Ascending, 0));
  std::stable_sort(model.begin(), model.end());
  ExpectSame(store, model);
  // A new last row out of place goes to its place among equal rows' end.
  store.Insert(store.Count(), RowWith(model[1500]));
  ASSERT_TRUE(store.Sort(&Ascending, 0));
  model.insert(std::upper_bound(model.begin(), model.end(), model[1500]), model[1500]);
  ExpectSame(store, model);
  store.Insert(700, RowWith(-1));
  model.insert(model.begin() + 700, -1);
  ExpectSame(store, model);
}

TEST(ListItemStore, ResizeGrowsWithCallbackRowsAndShrinksFromTheEnd) {
  ListItemStore store;
  for (int i = 0; i < 700; ++i) store.Insert(i, RowWith(i));
  store.Resize(1200);
  ASSERT_EQ(store.Count(), 1200);
  EXPECT_EQ(store.Row(699).lParam, 699);
  EXPECT_TRUE(store.Row(1199).first.callback);
  store.Resize(10);
  ASSERT_EQ(store.Count(), 10);
  EXPECT_EQ(store.Row(9).lParam, 9);
  store.Clear();
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(store.Insert(5, RowWith(1)), 0);
}

}  // namespace
