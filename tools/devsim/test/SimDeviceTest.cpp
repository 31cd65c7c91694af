#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../SimDevice.h"

namespace {

const char kLine[] =
    " Lab-1 | 31 | 10.77.1.10 | 255.255.255.0 | 10.77.1.1 | 00-1A-2B-3C-4D-01 | 1.20 | secret ";

SimDevice Lab() {
  SimDevice d;
  std::string error;
  EXPECT_TRUE(SimDevice::Parse(kLine, d, error)) << error;
  return d;
}

TEST(SimDevice, DeviceLineGivesTheReplyBytes) {
  BYTE wire[DEVICE_PACKET_SIZE];
  Lab().Reply().Write(wire);
  const BYTE expected[DEVICE_PACKET_SIZE] = {
      'Q', 'K', 'Z', '9', 10,   77, 1, 10, 255, 255, 255, 0, 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x01,
      'L', 'a', 'b', '-', '1',  0,  0, 0,  0,   0,   0,   0, 0,    0,    0,    0,    0,    10,
      77,  1,   1,   1,   0x20, 31, 0, 0,  0,   0,   0,   0, 0,    0,    0,    0};
  EXPECT_EQ(std::memcmp(wire, expected, sizeof wire), 0);
}

TEST(SimDevice, BadLinesAreRefusedWithAReason) {
  const char* bad[] = {
      "",
      "a|31|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-00-01|1.20",  // seven fields
      "a|x|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-00-01|1.20|",
      "a|256|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-00-01|1.20|",
      "a|31|1.2.3.400|255.0.0.0|1.2.3.1|00-00-00-00-00-01|1.20|",
      "a|31|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-01|1.20|",
      "a|31|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-00-01|120|",
      "a|31|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-00-01|1.20|123456789",
      "ABCDEFGHIJKLMNOPQR|31|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-00-01|1.20|",
      "hex:4|31|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-00-01|1.20|",
  };
  for (const char* line : bad) {
    SimDevice d;
    std::string error;
    EXPECT_FALSE(SimDevice::Parse(line, d, error)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
  SimDevice d;
  std::string error;
  ASSERT_TRUE(SimDevice::Parse(
      "hex:4142434445464748494A4B4C4D4E4F5051|7|1.2.3.4|255.0.0.0|1.2.3.1|00-00-00-00-00-01|1A.FF|",
      d, error))
      << error;
  EXPECT_EQ(d.name.size(), 17u) << "a 17-byte name leaves no NUL in its field";
  EXPECT_FALSE(d.Reply().NameTerminated());
  EXPECT_EQ(d.versionMajor, 0x1A);
  EXPECT_EQ(d.versionMinor, 0xFF);
  EXPECT_EQ(d.password, "");
}

TEST(SimDevice, CommandsApplyOnlyToTheirTargetWithTheRightPassword) {
  const BYTE newIp[4] = {10, 9, 9, 9}, newMask[4] = {255, 255, 0, 0}, newGw[4] = {10, 9, 0, 1};
  SimDevice d = Lab();
  const BYTE other[6] = {0, 0, 0, 0, 0, 9};
  EXPECT_EQ(
      d.Apply(MakeSetAddressCommand(DEVICE_CMD_SET_IP, newIp, newMask, newGw, other, "secret"), 0,
              0),
      SimDevice::Outcome::NotForMe);
  EXPECT_EQ(d.Apply(MakeSetAddressCommand(DEVICE_CMD_SET_IP, newIp, newMask, newGw, d.mac, "wrong"),
                    0, 0),
            SimDevice::Outcome::WrongPassword);
  EXPECT_EQ(d.ip[3], 10);
  // Each set-address command takes only its own value of the three carried.
  EXPECT_EQ(
      d.Apply(MakeSetAddressCommand(DEVICE_CMD_SET_MASK, newIp, newMask, newGw, d.mac, "secret"), 0,
              0),
      SimDevice::Outcome::Applied);
  EXPECT_EQ(d.ip[1], 77);
  EXPECT_EQ(d.mask[1], 255);
  EXPECT_EQ(d.mask[2], 0);
  EXPECT_EQ(d.gateway[1], 77);
  // Set MAC names its target by IP.
  const BYTE newMac[6] = {2, 0, 0, 0, 0, 0xAA};
  EXPECT_EQ(d.Apply(MakeSetMacCommand(newIp, newMac, "secret"), 0, 0),
            SimDevice::Outcome::NotForMe);
  EXPECT_EQ(d.Apply(MakeSetMacCommand(d.ip, newMac, "secret"), 0, 0), SimDevice::Outcome::Applied);
  EXPECT_EQ(std::memcmp(d.mac, newMac, 6), 0);
  // A discovery request is not a command.
  EXPECT_EQ(d.Apply(MakeDiscoveryRequest(), 0, 0), SimDevice::Outcome::NotForMe);
}

TEST(SimDevice, SoftResetSilencesAndFirmwareUpdateMarksTheName) {
  SimDevice d = Lab();
  EXPECT_EQ(d.Apply(MakeDeviceCommand(DEVICE_CMD_SOFT_RESET, d.mac, "secret"), 1000, 3000000),
            SimDevice::Outcome::Applied);
  EXPECT_TRUE(d.Silent(1000));
  EXPECT_TRUE(d.Silent(3000999));
  EXPECT_FALSE(d.Silent(3001000));

  d.Apply(MakeDeviceCommand(DEVICE_CMD_FIRMWARE_UPDATE, d.mac, "secret"), 0, 0);
  EXPECT_EQ(d.name, "Lab-1-FW");
  d.Apply(MakeDeviceCommand(DEVICE_CMD_FIRMWARE_UPDATE, d.mac, "secret"), 0, 0);
  EXPECT_EQ(d.name, "Lab-1-FW") << "the mode is entered once";

  SimDevice longName = Lab();
  longName.name = "ABCDEFGHIJKL\xE6\xB8\xAC";  // 12 bytes and a 3-byte character
  longName.Apply(MakeDeviceCommand(DEVICE_CMD_FIRMWARE_UPDATE, longName.mac, "secret"), 0, 0);
  EXPECT_EQ(longName.name, "ABCDEFGHIJKL-FW") << "cut before the character, not inside it";
  EXPECT_TRUE(longName.Reply().NameTerminated());
}

}  // namespace
