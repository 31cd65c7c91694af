#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "protocol/AddressText.h"

namespace {

TEST(AddressText, WrittenForms) {
  const BYTE ip[4] = {192, 168, 1, 10};
  const BYTE zero[4] = {0, 0, 0, 0};
  const BYTE full[4] = {255, 255, 255, 255};
  EXPECT_EQ(IPAddressText(ip), "192.168.1.10");
  EXPECT_EQ(IPAddressText(zero), "0.0.0.0");
  EXPECT_EQ(IPAddressText(full), "255.255.255.255");

  const BYTE mac[6] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
  EXPECT_EQ(MACAddressText(mac), "00-0A-1B-2C-3D-4E");

  struct {
    BYTE major, minor;
    const char* text;
  } versions[] = {{0x01, 0x20, "1.20"},
                  {0x02, 0x05, "2.05"},
                  {0x1A, 0xFF, "1A.FF"},
                  {0x00, 0x00, "0.00"},
                  {0xFF, 0x00, "FF.00"}};
  for (const auto& v : versions) EXPECT_EQ(VersionText(v.major, v.minor), v.text);

  std::string row = "x";
  AppendIPAddressText(row, ip);
  row.push_back('\0');
  AppendMACAddressText(row, mac);
  EXPECT_EQ(row, std::string("x192.168.1.10\0"
                             "00-0A-1B-2C-3D-4E",
                             31));
}

struct IpCase {
  const char* name;
  std::string_view text;
  std::array<BYTE, 4> octets;
};

TEST(AddressText, IpTextReadsLikeAtoiPerPiece) {
  using namespace std::string_view_literals;
  const IpCase cases[] = {
      {"plain", "192.168.1.10", {192, 168, 1, 10}},
      {"300 keeps its low 8 bits", "10.0.0.300", {10, 0, 0, 44}},
      {"empty", "", {0, 0, 0, 0}},
      {"fewer pieces leave zeros", "1.2", {1, 2, 0, 0}},
      {"extra pieces ignored", "1.2.3.4.5", {1, 2, 3, 4}},
      {"empty pieces skipped", "..1..2.3...4.", {1, 2, 3, 4}},
      {"blanks, trailing junk, no digits", " 7. 8.9x.abc", {7, 8, 9, 0}},
      {"signs", "-1.+2.256.65535", {255, 2, 0, 255}},
      {"huge clamps to INT32_MAX", "99999999999.1.1.1", {255, 1, 1, 1}},
      {"huge negative clamps to INT32_MIN", "-99999999999.5.5.5", {0, 5, 5, 5}},
      {"blank inside a number ends it", "1 2.3.4.5", {1, 3, 4, 5}},
      {"text ends at a NUL", "1.2\0.3.4"sv, {1, 2, 0, 0}},
      {"only dots", "....", {0, 0, 0, 0}},
  };
  for (const IpCase& c : cases) {
    SCOPED_TRACE(c.name);
    BYTE out[4] = {9, 9, 9, 9};
    ReadIPAddressText(c.text, out);
    EXPECT_EQ((std::array<BYTE, 4>{out[0], out[1], out[2], out[3]}), c.octets);
  }
}

struct MacCase {
  const char* name;
  std::string_view text;
  std::array<BYTE, 6> bytes;
};

TEST(AddressText, MacTextReadsLikeStrtolBase16PerPiece) {
  const MacCase cases[] = {
      {"mixed case", "00-1a-2B-3c-4D-5e", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
      {"fewer pieces leave zeros", "00-1A-2B", {0x00, 0x1A, 0x2B, 0, 0, 0}},
      {"0x prefix, blanks, plus, empty piece, extra piece",
       "0x10-0X20-  ff-+a--b-c-d",
       {0x10, 0x20, 0xFF, 0x0A, 0x0B, 0x0C}},
      {"long piece keeps its low 8 bits", "1A2B-1", {0x2B, 0x01, 0, 0, 0, 0}},
      {"beyond int32 clamps to INT32_MAX", "FFFFFFFFF-1", {0xFF, 0x01, 0, 0, 0, 0}},
      {"no digits read as zero", "zz-0x-g1-0xg", {0, 0, 0, 0, 0, 0}},
      {"other separators are junk", "12:34:56", {0x12, 0, 0, 0, 0, 0}},
      {"empty", "", {0, 0, 0, 0, 0, 0}},
  };
  for (const MacCase& c : cases) {
    SCOPED_TRACE(c.name);
    BYTE out[6] = {9, 9, 9, 9, 9, 9};
    ReadMACAddressText(c.text, out);
    EXPECT_EQ((std::array<BYTE, 6>{out[0], out[1], out[2], out[3], out[4], out[5]}), c.bytes);
  }
}

TEST(AddressText, WrittenTextsReadBackToTheSameBytes) {
  for (unsigned v = 0; v < 256; v += 17) {
    const BYTE ip[4] = {BYTE(v), BYTE(255 - v), BYTE(v / 2), BYTE(v ^ 0x5A)};
    BYTE ipBack[4];
    ReadIPAddressText(IPAddressText(ip), ipBack);
    EXPECT_EQ(std::memcmp(ip, ipBack, 4), 0) << IPAddressText(ip);
    const BYTE mac[6] = {BYTE(v), BYTE(~v), BYTE(v * 3), BYTE(v + 1), BYTE(v >> 1), BYTE(v ^ 0xF0)};
    BYTE macBack[6];
    ReadMACAddressText(MACAddressText(mac), macBack);
    EXPECT_EQ(std::memcmp(mac, macBack, 6), 0) << MACAddressText(mac);
  }
}

}  // namespace
