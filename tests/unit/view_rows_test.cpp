// Device rows: the naming rule, the six field texts, the picture, the device record as the
// item data, and the display form of names that are not valid UTF-8.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "res/StringTable.h"
#include "view/CDeviceRecord.h"
#include "view/DeviceNameText.h"
#include "view_fixture.h"

namespace viewtest {
namespace {

struct RowCase {
  const char* name;
  Device device;
  std::array<const char*, 6> fields;
  int image;
};

void PrintTo(const RowCase& c, std::ostream* os) {
  *os << c.name;
}

Device Make(std::string name, BYTE model) {
  Device d;
  d.name = std::move(name);
  d.model = model;
  d.ip[0] = 192, d.ip[1] = 168, d.ip[2] = 1, d.ip[3] = 20;
  d.gateway[0] = 192, d.gateway[1] = 168, d.gateway[2] = 1, d.gateway[3] = 1;
  return d;
}

Device WithVersion(Device d, BYTE major, BYTE minor) {
  d.major = major;
  d.minor = minor;
  return d;
}

Device WithMac(Device d, std::array<BYTE, 6> mac) {
  for (int i = 0; i < 6; ++i) d.mac[i] = mac[static_cast<size_t>(i)];
  return d;
}

const RowCase kRowCases[] = {
    {"KnownModelWithEmptyNameShowsTheModelName",
     Make("", 31),
     {"NQ-710", "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-1A-2B-00-00-01", "1.20"},
     2},
    {"SixteenByteNameIsShown",
     Make("ABCDEFGHIJKLMNOP", 32),
     {"ABCDEFGHIJKLMNOP", "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-1A-2B-00-00-01",
      "1.20"},
     2},
    {"SeventeenByteNameGivesTheModelName",
     Make("ABCDEFGHIJKLMNOPQ", 32),
     {"NQ-710-W", "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-1A-2B-00-00-01", "1.20"},
     2},
    {"UnknownModelHidesNameGatewayAndVersion",
     WithVersion(Make("Lab", 7), 3, 4),
     {"Unknown", "192.168.1.20", "255.255.255.0", "0.0.0.0", "00-1A-2B-00-00-01", "0.00"},
     1},
    {"UnknownModelWithoutNameIsUnknownToo",
     Make("", 0),
     {"Unknown", "192.168.1.20", "255.255.255.0", "0.0.0.0", "00-1A-2B-00-00-01", "0.00"},
     1},
    {"VersionDigitsAreDecimalLooking",
     WithVersion(Make("v", 31), 0x02, 0x05),
     {"v", "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-1A-2B-00-00-01", "2.05"},
     2},
    {"VersionInHexadecimal",
     WithVersion(Make("v", 31), 0x1A, 0xFF),
     {"v", "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-1A-2B-00-00-01", "1A.FF"},
     2},
    {"MacInUpperCaseHexPairs",
     WithMac(Make("m", 32), {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}),
     {"m", "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-0A-1B-2C-3D-4E", "1.20"},
     2},
    {"PercentAndCommaStayAsReceived",
     Make("%s%n%d,a,b%", 31),
     {"%s%n%d,a,b%", "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-1A-2B-00-00-01", "1.20"},
     2},
    {"InvalidUtf8ShowsReplacementCharacters",
     Make("A\xFF"
          "B\xC3",
          31),
     {"A\xEF\xBF\xBD"
      "B\xEF\xBF\xBD",
      "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-1A-2B-00-00-01", "1.20"},
     2},
    {"ValidUtf8NameIsKept",
     Make("\xE6\xA9\x9F-\xC3\xA9", 31),
     {"\xE6\xA9\x9F-\xC3\xA9", "192.168.1.20", "255.255.255.0", "192.168.1.1", "00-1A-2B-00-00-01",
      "1.20"},
     2},
};

class DeviceRow : public ViewFixture, public ::testing::WithParamInterface<RowCase> {};

TEST_P(DeviceRow, ReplyBecomesOneRowWithItsTextsPictureAndRecord) {
  const RowCase& c = GetParam();
  ASSERT_TRUE(StartView());
  Receive(c.device);
  ASSERT_EQ(RowCount(), 1);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(Text(0, k), c.fields[static_cast<size_t>(k)]) << k;

  LVITEMA item;
  item.mask = LVIF_IMAGE | LVIF_PARAM;
  ASSERT_TRUE(List().GetItem(&item));
  EXPECT_EQ(item.iImage, c.image);
  const auto* record = reinterpret_cast<const CDeviceRecord*>(item.lParam);
  ASSERT_NE(record, nullptr);
  std::string text;
  for (const char* f : c.fields) (text += f) += '\0';
  EXPECT_EQ(record->Text(), text) << "six fields, each ended by one NUL";
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceRow, ::testing::ValuesIn(kRowCases),
                         [](const ::testing::TestParamInfo<RowCase>& info) {
                           return info.param.name;
                         });

TEST_F(ViewFixture, ShortReplyReadsItsMissingBytesAsZero) {
  ASSERT_TRUE(StartView());
  // "QKZ", command, IP 10.1.2.3, mask 255.255.0.0, then the MAC cut after two bytes.
  Receive(std::vector<std::uint8_t>{'Q', 'K', 'Z', '9', 10, 1, 2, 3, 255, 255, 0, 0, 0xAB, 0xCD});
  ASSERT_EQ(RowCount(), 1);
  const char* expected[] = {"Unknown", "10.1.2.3",          "255.255.0.0",
                            "0.0.0.0", "AB-CD-00-00-00-00", "0.00"};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(Text(0, k), expected[k]) << k;
}

TEST_F(ViewFixture, RowsAreAddedAtTheEndOutsideReportView) {
  ASSERT_TRUE(StartView());
  Command(ID_VIEW_SMALLICON);
  for (const char* name : {"c", "a", "b"}) {
    Device d = Make(name, 31);
    d.ip[3] = static_cast<BYTE>(name[0]);
    Receive(d);
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"c", "a", "b"}));
}

struct NameCase {
  const char* name;
  std::string bytes;
  std::string shown;
};

void PrintTo(const NameCase& c, std::ostream* os) {
  *os << c.name;
}

#define FFFD "\xEF\xBF\xBD"
const NameCase kNameCases[] = {
    {"Ascii", "Lab-1", "Lab-1"},
    {"TwoThreeAndFourByteCharacters", "\xC3\xA9\xE6\xA9\x9F\xF0\x9F\x98\x80",
     "\xC3\xA9\xE6\xA9\x9F\xF0\x9F\x98\x80"},
    {"StrayContinuationByte",
     "a\x80"
     "b",
     "a" FFFD "b"},
    {"ByteNeverInUtf8", "\xFF\xFE", FFFD FFFD},
    {"TruncatedAtTheEnd", "ab\xE6\xA9", "ab" FFFD},
    {"TruncatedBeforeAnAsciiByte", "\xF0\x9F\x98Z", FFFD "Z"},
    {"OverlongFormIsTwoBadBytes", "\xC0\xAF", FFFD FFFD},
    {"SurrogateIsThreeBadBytes", "\xED\xA0\x80", FFFD FFFD FFFD},
    {"AboveTheLastCodePoint", "\xF4\x90\x80\x80", FFFD FFFD FFFD FFFD},
    {"BrokenStartThenAGoodCharacter", "\xE6\xC3\xA9", FFFD "\xC3\xA9"},
};
#undef FFFD

class DeviceNameDisplay : public ::testing::TestWithParam<NameCase> {};

TEST_P(DeviceNameDisplay, InvalidSequencesBecomeOneReplacementEach) {
  std::string out = "x";
  AppendDeviceNameText(out, GetParam().bytes);
  EXPECT_EQ(out, "x" + GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceNameDisplay, ::testing::ValuesIn(kNameCases),
                         [](const ::testing::TestParamInfo<NameCase>& info) {
                           return info.param.name;
                         });

TEST(DeviceRecord, FieldsFromTextsKeepTheirOrderAndEndAtANul) {
  RegisterStringTable();
  auto r = CDeviceRecord::FromFields(
      {"n", "1.2.3.4", "255.0.0.0", "1.2.3.1", "00-00-00-00-00-01", std::string_view("1.0\0x", 5)},
      2);
  EXPECT_EQ(r->FieldView(CDeviceRecord::VERSION), "1.0");
  EXPECT_EQ(r->FieldView(CDeviceRecord::IP_ADDRESS), "1.2.3.4");
  EXPECT_EQ(r->Text().size(),
            std::string("n1.2.3.4255.0.0.01.2.3.100-00-00-00-00-011.0").size() + 6);
  EXPECT_EQ(r->Image(), 2);
}

}  // namespace
}  // namespace viewtest
