// The order of the device list: the sort key follows the column clicks, the rows follow the
// key, and the header indicator and the sort state agree with both at every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "view/CDeviceRecord.h"
#include "view_fixture.h"

namespace viewtest {
namespace {

Device Dev(const char* name, std::vector<int> ip, std::vector<int> mask = {255, 255, 255, 0},
           std::vector<int> gateway = {10, 0, 0, 254}, int lastMac = 1, BYTE major = 1,
           BYTE minor = 0x20) {
  Device d;
  d.name = name;
  for (int i = 0; i < 4; ++i) {
    d.ip[i] = static_cast<BYTE>(ip[static_cast<size_t>(i)]);
    d.mask[i] = static_cast<BYTE>(mask[static_cast<size_t>(i)]);
    d.gateway[i] = static_cast<BYTE>(gateway[static_cast<size_t>(i)]);
  }
  d.mac[5] = static_cast<BYTE>(lastMac);
  d.major = major;
  d.minor = minor;
  return d;
}

// Four devices whose IP, mask and version orders differ from their text orders.
const std::vector<Device> kMixed = {
    Dev("delta", {10, 0, 0, 100}, {255, 255, 255, 128}, {10, 0, 0, 1}, 4, 0x1A, 0xFF),
    Dev("alpha", {10, 0, 0, 9}, {255, 255, 255, 0}, {10, 0, 0, 2}, 3, 0x02, 0x05),
    Dev("charlie", {9, 0, 0, 1}, {255, 255, 255, 64}, {10, 0, 0, 2}, 2, 0x09, 0x00),
    Dev("bravo", {10, 0, 0, 10}, {255, 255, 255, 192}, {10, 0, 0, 1}, 4, 0x01, 0x20),
};

struct SortCase {
  const char* name;
  std::vector<int> clicks;  // control column indexes, in order
  int hideColumn;           // column number hidden before the clicks, -1 for none
  std::vector<std::string> order;
  int key;  // m_nSortKey and m_nSortState alike
};

void PrintTo(const SortCase& c, std::ostream* os) {
  *os << c.name;
}

const SortCase kSortCases[] = {
    {"NoClickOrdersByIpNumerically", {}, -1, {"charlie", "alpha", "bravo", "delta"}, 2},
    {"ClickOnTheSortColumnReverses", {1}, -1, {"delta", "bravo", "alpha", "charlie"}, -2},
    {"ThirdClickIsAscendingAgain", {1, 1}, -1, {"charlie", "alpha", "bravo", "delta"}, 2},
    {"NameFirstClickAscending", {0}, -1, {"alpha", "bravo", "charlie", "delta"}, 1},
    {"NameSecondClickDescending", {0, 0}, -1, {"delta", "charlie", "bravo", "alpha"}, -1},
    {"MaskOrdersNumerically", {2}, -1, {"alpha", "charlie", "delta", "bravo"}, 3},
    {"AnotherColumnStartsAscending", {0, 0, 2}, -1, {"alpha", "charlie", "delta", "bravo"}, 3},
    {"GatewayTiesByNameAscending", {3}, -1, {"bravo", "delta", "alpha", "charlie"}, 4},
    {"GatewayDescendingTiesStillAscending", {3, 3}, -1, {"alpha", "charlie", "bravo", "delta"}, -4},
    {"MacTiesByName", {4}, -1, {"charlie", "alpha", "bravo", "delta"}, 5},
    {"MacDescendingTiesByNameAscending", {4, 4}, -1, {"bravo", "delta", "alpha", "charlie"}, -5},
    {"VersionOrdersByVersionNumerically", {5}, -1, {"bravo", "alpha", "charlie", "delta"}, 6},
    {"VersionDescending", {5, 5}, -1, {"delta", "charlie", "alpha", "bravo"}, -6},
    {"ClickAfterAHiddenColumnNamesTheColumnNumber",
     {2},
     2,
     {"bravo", "delta", "alpha", "charlie"},
     4},
};

class SortByClicks : public ViewFixture, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SortByClicks, RowsKeyStateAndIndicatorAgree) {
  const SortCase& c = GetParam();
  ASSERT_TRUE(StartView());
  if (c.hideColumn >= 0) view->SetColumnVisible(c.hideColumn, false);
  for (const Device& d : kMixed) Receive(d);
  for (int click : c.clicks) ClickHeader(click);
  EXPECT_EQ(Names(), c.order);
  EXPECT_EQ(view->m_nSortKey, c.key);
  EXPECT_EQ(view->m_nSortState, c.key);
  // The indicator sits on the sort column's header item only, pointing the key's way.
  const int column = (c.key < 0 ? -c.key : c.key) - 1;
  std::vector<int> expected(c.hideColumn >= 0 ? 5 : 6, 0);
  const int item = view->ControlIndexFromColumn(column);
  expected[static_cast<size_t>(item)] = c.key > 0 ? 1 : -1;
  EXPECT_EQ(Indicators(), expected);
  EXPECT_TRUE(view->m_bTintSortColumn);

  // A device that arrives now goes straight to its place.
  Receive(Dev("echo", {10, 0, 0, 50}, {255, 255, 255, 32}, {10, 0, 0, 1}, 9, 0x05, 0x00));
  std::vector<std::string> names = Names();
  ASSERT_EQ(names.size(), 5u);
  std::vector<std::string> without;
  for (const auto& n : names)
    if (n != "echo") without.push_back(n);
  EXPECT_EQ(without, c.order) << "the other rows keep their order";
  for (int i = 0; i + 1 < RowCount(); ++i) {
    LVITEMA a, b;
    a.mask = b.mask = LVIF_PARAM;
    a.iItem = i;
    b.iItem = i + 1;
    ASSERT_TRUE(List().GetItem(&a));
    ASSERT_TRUE(List().GetItem(&b));
    EXPECT_LE(CTarvexView::CompareDeviceRows(a.lParam, b.lParam, view->m_nSortKey), 0) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SortByClicks, ::testing::ValuesIn(kSortCases),
                         [](const ::testing::TestParamInfo<SortCase>& info) {
                           return info.param.name;
                         });

// Rows sorted in one at a time end where one stable sort of the arrivals puts them, for
// every key, with many equal keys and equal names.
TEST_F(ViewFixture, RowsSortedInOneByOneMatchAStableSortOfTheArrivals) {
  ASSERT_TRUE(StartView());
  std::vector<Device> arrivals;
  unsigned seed = 12345;
  auto next = [&seed](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  for (int i = 0; i < 120; ++i) {
    const std::string name(1, static_cast<char>('a' + next(5)));
    Device d =
        Dev("", {10, 0, static_cast<int>(next(3)), static_cast<int>(next(4))},
            {255, 255, static_cast<int>(next(2)) * 255, 0}, {10, 0, 0, static_cast<int>(next(3))},
            static_cast<int>(next(6)), static_cast<BYTE>(next(3)), static_cast<BYTE>(next(2)));
    d.name = name;
    d.mac[4] = static_cast<BYTE>(i);  // the MAC names the arrival
    arrivals.push_back(d);
  }
  for (int column = 0; column < 6; ++column) {
    for (int clicks = 1; clicks <= 2; ++clicks) {
      SCOPED_TRACE(testing::Message() << "column " << column << ", clicks " << clicks);
      Command(32772);  // Refresh: an empty list
      for (int c = 0; c < clicks; ++c) ClickHeader(column);
      for (const Device& d : arrivals) Receive(d);
      std::vector<std::unique_ptr<CDeviceRecord>> records;
      std::vector<const CDeviceRecord*> expected;
      for (const Device& d : arrivals) {
        std::vector<std::uint8_t> bytes = d.Reply();
        records.push_back(CDeviceRecord::FromReply(bytes.data()));
        expected.push_back(records.back().get());
      }
      const int key = view->m_nSortKey;
      std::stable_sort(expected.begin(), expected.end(),
                       [key](auto* a, auto* b) { return CDeviceRecord::Compare(*a, *b, key) < 0; });
      ASSERT_EQ(RowCount(), static_cast<int>(expected.size()));
      for (int i = 0; i < RowCount(); ++i)
        ASSERT_EQ(Text(i, 4), expected[static_cast<size_t>(i)]->FieldView(4)) << i;
    }
  }
}

TEST(DeviceRowComparison, KeysOutsideTheColumnsCompareEqualAndNamesTieEqual) {
  auto a = CDeviceRecord::FromFields({"same", "1.1.1.1", "0.0.0.0", "0.0.0.0", "A", "1.00"}, 2);
  auto b = CDeviceRecord::FromFields({"same", "2.2.2.2", "0.0.0.0", "0.0.0.0", "B", "2.00"}, 2);
  const LPARAM pa = reinterpret_cast<LPARAM>(a.get());
  const LPARAM pb = reinterpret_cast<LPARAM>(b.get());
  for (int key : {0, 7, -7, 100}) EXPECT_EQ(CTarvexView::CompareDeviceRows(pa, pb, key), 0);
  EXPECT_EQ(CTarvexView::CompareDeviceRows(pa, pb, 1), 0);
  EXPECT_EQ(CTarvexView::CompareDeviceRows(pa, pb, -1), 0);
  EXPECT_LT(CTarvexView::CompareDeviceRows(pa, pb, 2), 0);
  EXPECT_GT(CTarvexView::CompareDeviceRows(pa, pb, -2), 0);
}

TEST(DeviceRowComparison, NamesCompareAsBytes) {
  auto upper = CDeviceRecord::FromFields({"Z", "1.1.1.1", "", "", "", ""}, 2);
  auto lower = CDeviceRecord::FromFields({"a", "1.1.1.1", "", "", "", ""}, 2);
  auto high = CDeviceRecord::FromFields({"\xC3\xA9", "1.1.1.1", "", "", "", ""}, 2);
  const LPARAM z = reinterpret_cast<LPARAM>(upper.get());
  const LPARAM a = reinterpret_cast<LPARAM>(lower.get());
  const LPARAM e = reinterpret_cast<LPARAM>(high.get());
  EXPECT_LT(CTarvexView::CompareDeviceRows(z, a, 1), 0);
  EXPECT_LT(CTarvexView::CompareDeviceRows(a, e, 1), 0) << "bytes above 0x7F sort last";
  EXPECT_LT(CTarvexView::CompareDeviceRows(z, a, 2), 0) << "equal IP: name ascending";
  EXPECT_LT(CTarvexView::CompareDeviceRows(z, a, -2), 0) << "equal IP: name ascending";
}

}  // namespace
}  // namespace viewtest
