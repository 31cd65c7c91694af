// DEVICE_PACKET: the one datagram layout of the device protocol, 52 bytes, byte-aligned.
// Requests, replies and commands all use it; the command byte says which one a datagram is.
// Bytes go on and off the wire only through Read and Write (PacketReader / PacketWriter).
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/win/basic_types.h"

constexpr std::size_t DEVICE_PACKET_SIZE = 52;
constexpr std::size_t DEVICE_NAME_FIELD = 17;      // at most 16 bytes of name and a NUL
constexpr std::size_t DEVICE_PASSWORD_FIELD = 10;  // up to 8 bytes of password, zero padded
constexpr std::size_t DEVICE_PASSWORD_MAX = 8;

// Command bytes (offset 3).
constexpr BYTE DEVICE_CMD_DISCOVER = 0x39;         // '9'
constexpr BYTE DEVICE_CMD_SET_IP = 0x3A;           // ':'
constexpr BYTE DEVICE_CMD_SET_MASK = 0x3B;         // ';'
constexpr BYTE DEVICE_CMD_SET_MAC = 0x3C;          // '<'
constexpr BYTE DEVICE_CMD_SOFT_RESET = 0x3D;       // '='
constexpr BYTE DEVICE_CMD_SET_GATEWAY = 0x3E;      // '>'
constexpr BYTE DEVICE_CMD_FIRMWARE_UPDATE = 0x3F;  // '?'

// Model codes the tool knows by name.
constexpr BYTE DEVICE_MODEL_NQ710 = 31;
constexpr BYTE DEVICE_MODEL_NQ710W = 32;

struct DEVICE_PACKET {
  BYTE magic[3] = {};
  BYTE command = 0;
  BYTE ip[4] = {};
  BYTE mask[4] = {};
  BYTE mac[6] = {};
  BYTE name[DEVICE_NAME_FIELD] = {};
  BYTE gateway[4] = {};
  BYTE versionMajor = 0;
  BYTE versionMinor = 0;
  BYTE model = 0;
  BYTE password[DEVICE_PASSWORD_FIELD] = {};

  // A datagram as the tool reads it: a short one as if its missing bytes were zero, of a long
  // one only the first 52 bytes. Nothing is checked: every datagram is a valid reply.
  static DEVICE_PACKET Read(const BYTE* data, std::size_t length);
  void Write(BYTE (&out)[DEVICE_PACKET_SIZE]) const;

  // "QKZ", the command byte, everything else zero.
  static DEVICE_PACKET Request(BYTE command);
  // Up to 8 bytes of the password, cut before a UTF-8 character that would not fit whole;
  // the rest of the field zero.
  void SetPassword(std::string_view password);
  // The name bytes up to the first NUL; all 17 bytes when the field holds none.
  std::string_view Name() const;
  // The name ends with a NUL inside its field (at most 16 bytes long).
  bool NameTerminated() const;
};

// The datagrams the tool sends.
DEVICE_PACKET MakeDiscoveryRequest();
// Set IP address, subnet mask or gateway (command DEVICE_CMD_SET_IP, _SET_MASK or
// _SET_GATEWAY): all three new values every time, the target named by its MAC address.
DEVICE_PACKET MakeSetAddressCommand(BYTE command, const BYTE newIp[4], const BYTE newMask[4],
                                    const BYTE newGateway[4], const BYTE targetMac[6],
                                    std::string_view password);
// Set MAC address: the target named by its current IP address.
DEVICE_PACKET MakeSetMacCommand(const BYTE targetIp[4], const BYTE newMac[6],
                                std::string_view password);
// Soft reset or firmware update: the target named by its MAC address.
DEVICE_PACKET MakeDeviceCommand(BYTE command, const BYTE targetMac[6], std::string_view password);
