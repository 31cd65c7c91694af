#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "protocol/DevicePacket.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// "51 4B 5A 39 | 00*48": hex pairs; "|" and blanks are for reading only; "00*48" repeats.
Bytes Hex(const std::string& text) {
  Bytes out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '|') {
      ++i;
      continue;
    }
    auto value = static_cast<std::uint8_t>(std::strtoul(text.substr(i, 2).c_str(), nullptr, 16));
    i += 2;
    std::size_t repeat = 1;
    if (i < text.size() && text[i] == '*') {
      std::size_t end = text.find_first_of(" |", i);
      if (end == std::string::npos) end = text.size();
      repeat = std::strtoul(text.substr(i + 1, end - i - 1).c_str(), nullptr, 10);
      i = end;
    }
    out.insert(out.end(), repeat, value);
  }
  return out;
}

Bytes Wire(const DEVICE_PACKET& packet) {
  BYTE out[DEVICE_PACKET_SIZE];
  std::fill(std::begin(out), std::end(out), 0xEE);  // every byte must be written
  packet.Write(out);
  return Bytes(std::begin(out), std::end(out));
}

const BYTE kIp[4] = {192, 168, 1, 10};
const BYTE kMask[4] = {255, 255, 255, 0};
const BYTE kGateway[4] = {192, 168, 1, 1};
const BYTE kMac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};

TEST(DevicePacketBytes, DiscoveryRequestIsQKZ9AndZeros) {
  EXPECT_EQ(Wire(MakeDiscoveryRequest()), Hex("51 4B 5A 39 | 00*48"));
}

TEST(DevicePacketBytes, SetAddressCommandsCarryAllThreeValuesAndTheTargetMac) {
  struct Case {
    BYTE command;
    const char* commandByte;
  } cases[] = {
      {DEVICE_CMD_SET_IP, "3A"}, {DEVICE_CMD_SET_MASK, "3B"}, {DEVICE_CMD_SET_GATEWAY, "3E"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commandByte);
    Bytes expected = Hex(std::string("51 4B 5A ") + c.commandByte +
                         " | C0 A8 01 0A | FF FF FF 00 | 00 1A 2B 3C 4D 5E | 00*17 |"
                         " C0 A8 01 01 | 00 00 00 | 73 65 63 72 65 74 00 00 00 00");
    EXPECT_EQ(Wire(MakeSetAddressCommand(c.command, kIp, kMask, kGateway, kMac, "secret")),
              expected);
  }
}

TEST(DevicePacketBytes, SetMacNamesTheTargetByIpAndCarriesTheNewMac) {
  const BYTE target[4] = {10, 0, 0, 5};
  const BYTE newMac[6] = {0x02, 0, 0, 0, 0, 0x01};
  EXPECT_EQ(Wire(MakeSetMacCommand(target, newMac, "12345678")),
            Hex("51 4B 5A 3C | 0A 00 00 05 | 00*4 | 02 00 00 00 00 01 | 00*17 | 00*4 | 00*3 |"
                " 31 32 33 34 35 36 37 38 00 00"));
}

TEST(DevicePacketBytes, SoftResetAndFirmwareUpdateNameTheTargetByMac) {
  EXPECT_EQ(Wire(MakeDeviceCommand(DEVICE_CMD_SOFT_RESET, kMac, "")),
            Hex("51 4B 5A 3D | 00*8 | 00 1A 2B 3C 4D 5E | 00*34"));
  EXPECT_EQ(Wire(MakeDeviceCommand(DEVICE_CMD_FIRMWARE_UPDATE, kMac, "pw")),
            Hex("51 4B 5A 3F | 00*8 | 00 1A 2B 3C 4D 5E | 00*24 | 70 77 00*8"));
}

TEST(DevicePacketBytes, PasswordFieldHoldsAtMostEightBytesAndNeverHalfACharacter) {
  struct Case {
    const char* name;
    std::string password;
    const char* field;
  } cases[] = {
      {"empty", "", "00*10"},
      {"eight fill 42..49", "abcdefgh", "61 62 63 64 65 66 67 68 00 00"},
      {"nine are cut to eight", "abcdefghi", "61 62 63 64 65 66 67 68 00 00"},
      {"two-byte text that fits", "ab\xE5\xAF\x86\xE7\xA2\xBC", "61 62 E5 AF 86 E7 A2 BC 00 00"},
      {"cut before a split character", "abc\xE5\xAF\x86\xE7\xA2\xBC", "61 62 63 E5 AF 86 00*4"},
      {"embedded NUL travels as is", std::string("a\0b", 3), "61 00 62 00*7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes wire = Wire(MakeDeviceCommand(DEVICE_CMD_SOFT_RESET, kMac, c.password));
    EXPECT_EQ(Bytes(wire.begin() + 42, wire.end()), Hex(c.field));
  }
}

TEST(DevicePacketRead, ShortLongAndOddRepliesReadAsIntoAZeroedBuffer) {
  Bytes full =
      Hex("51 4B 5A 39 | 0A 00 00 07 | FF FF 00 00 | 00 0A 1B 2C 3D 4E | 4C 61 62 00*14 |"
          " 0A 00 00 01 | 02 05 1F | 00*10");
  ASSERT_EQ(full.size(), DEVICE_PACKET_SIZE);

  // 18 bytes: addresses present, name, gateway, version and model zero.
  DEVICE_PACKET shortReply = DEVICE_PACKET::Read(full.data(), 18);
  EXPECT_EQ(Wire(shortReply), Hex("51 4B 5A 39 | 0A 00 00 07 | FF FF 00 00 | 00 0A 1B 2C 3D 4E |"
                                  " 00*34"));
  EXPECT_EQ(shortReply.Name(), "");
  EXPECT_TRUE(shortReply.NameTerminated());

  // Longer than 52: only the first 52 bytes count.
  Bytes longer = full;
  longer.resize(2048, 0xAB);
  EXPECT_EQ(Wire(DEVICE_PACKET::Read(longer.data(), longer.size())), full);

  // Nothing, or no buffer at all: all zero.
  EXPECT_EQ(Wire(DEVICE_PACKET::Read(nullptr, 0)), Hex("00*52"));
  EXPECT_EQ(Wire(DEVICE_PACKET::Read(nullptr, 52)), Hex("00*52"));

  // Magic and command are not checked.
  Bytes foreign = full;
  foreign[0] = 'X';
  foreign[3] = 0x00;
  DEVICE_PACKET p = DEVICE_PACKET::Read(foreign.data(), foreign.size());
  EXPECT_EQ(p.model, 0x1F);
  EXPECT_EQ(p.Name(), "Lab");
  EXPECT_EQ(p.versionMajor, 2);
  EXPECT_EQ(p.versionMinor, 5);
}

TEST(DevicePacketRead, AnyFiftyTwoBytesRoundTrip) {
  std::uint32_t seed = 12345;
  for (int round = 0; round < 50; ++round) {
    Bytes bytes(DEVICE_PACKET_SIZE);
    for (auto& b : bytes) {
      seed = seed * 1103515245u + 12345u;
      b = static_cast<std::uint8_t>(seed >> 24);
    }
    EXPECT_EQ(Wire(DEVICE_PACKET::Read(bytes.data(), bytes.size())), bytes);
  }
}

TEST(DevicePacketRead, NameWithoutNulInItsFieldIsAllSeventeenBytes) {
  Bytes bytes(DEVICE_PACKET_SIZE, 0);
  const std::string sixteen = "ABCDEFGHIJKLMNOP";
  std::copy(sixteen.begin(), sixteen.end(), bytes.begin() + 18);
  DEVICE_PACKET p = DEVICE_PACKET::Read(bytes.data(), bytes.size());
  EXPECT_EQ(p.Name(), sixteen);
  EXPECT_TRUE(p.NameTerminated());

  bytes[34] = 'Q';  // the 17th byte: no NUL left inside the field
  p = DEVICE_PACKET::Read(bytes.data(), bytes.size());
  EXPECT_EQ(p.Name(), sixteen + "Q");
  EXPECT_FALSE(p.NameTerminated());
}

}  // namespace
