// One simulated device server: its settings, the reply it sends to a discovery request and
// what it does with a command datagram.
#pragma once

#include <cstdint>
#include <string>

#include "protocol/DevicePacket.h"

struct SimDevice {
  std::string name;  // raw bytes, at most 17 (17 leaves no NUL in the field)
  BYTE model = DEVICE_MODEL_NQ710;
  BYTE ip[4] = {};
  BYTE mask[4] = {};
  BYTE gateway[4] = {};
  BYTE mac[6] = {};
  BYTE versionMajor = 1;
  BYTE versionMinor = 0x20;
  std::string password;             // at most 8 bytes
  std::uint64_t silentUntilUs = 0;  // after a soft reset the device answers nothing until then
  bool firmwareMode = false;

  // One line of a device file: name|model|ip|mask|gateway|mac|version|password. Blanks
  // around fields are dropped; a name written "hex:4C6162" is given as bytes. False with a
  // reason for a line that is not a device.
  static bool Parse(const std::string& line, SimDevice& out, std::string& error);
  // The index-th generated device (index from 0).
  static SimDevice Generated(std::uint32_t index, const std::string& password);

  bool Silent(std::uint64_t nowUs) const { return nowUs < silentUntilUs; }
  DEVICE_PACKET Reply() const;

  enum class Outcome { NotForMe, WrongPassword, Applied };
  // Applies a set-address, set-MAC, soft-reset or firmware-update datagram named to this
  // device. Discovery requests and unknown commands are NotForMe.
  Outcome Apply(const DEVICE_PACKET& command, std::uint64_t nowUs, std::uint64_t resetSilenceUs);
};
