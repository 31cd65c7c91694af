#include "DevicePacket.h"

#include <cstring>

#include "PacketReader.h"
#include "PacketWriter.h"

DEVICE_PACKET DEVICE_PACKET::Read(const BYTE* data, std::size_t length) {
  DEVICE_PACKET p;
  PacketReader r(data, length < DEVICE_PACKET_SIZE ? length : DEVICE_PACKET_SIZE);
  r.Bytes(p.magic, sizeof p.magic);
  p.command = r.Byte();
  r.Bytes(p.ip, sizeof p.ip);
  r.Bytes(p.mask, sizeof p.mask);
  r.Bytes(p.mac, sizeof p.mac);
  r.Bytes(p.name, sizeof p.name);
  r.Bytes(p.gateway, sizeof p.gateway);
  p.versionMajor = r.Byte();
  p.versionMinor = r.Byte();
  p.model = r.Byte();
  r.Bytes(p.password, sizeof p.password);
  return p;
}

void DEVICE_PACKET::Write(BYTE (&out)[DEVICE_PACKET_SIZE]) const {
  PacketWriter w(out, sizeof out);
  w.Bytes(magic, sizeof magic);
  w.Byte(command);
  w.Bytes(ip, sizeof ip);
  w.Bytes(mask, sizeof mask);
  w.Bytes(mac, sizeof mac);
  w.Bytes(name, sizeof name);
  w.Bytes(gateway, sizeof gateway);
  w.Byte(versionMajor);
  w.Byte(versionMinor);
  w.Byte(model);
  w.Bytes(password, sizeof password);
}

DEVICE_PACKET DEVICE_PACKET::Request(BYTE command) {
  DEVICE_PACKET p;
  p.magic[0] = 'Q';
  p.magic[1] = 'K';
  p.magic[2] = 'Z';
  p.command = command;
  return p;
}

void DEVICE_PACKET::SetPassword(std::string_view text) {
  std::size_t n = text.size() < DEVICE_PASSWORD_MAX ? text.size() : DEVICE_PASSWORD_MAX;
  // Cutting inside a multibyte character would send half of it: stop before it instead.
  if (n < text.size())
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) --n;
  PacketWriter w(password, sizeof password);
  w.Field(text.data(), n, sizeof password);
}

std::string_view DEVICE_PACKET::Name() const {
  const char* text = reinterpret_cast<const char*>(name);
  const void* nul = std::memchr(text, '\0', sizeof name);
  std::size_t length =
      nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : sizeof name;
  return std::string_view(text, length);
}

bool DEVICE_PACKET::NameTerminated() const {
  return std::memchr(name, '\0', sizeof name) != nullptr;
}

DEVICE_PACKET MakeDiscoveryRequest() {
  return DEVICE_PACKET::Request(DEVICE_CMD_DISCOVER);
}

DEVICE_PACKET MakeSetAddressCommand(BYTE command, const BYTE newIp[4], const BYTE newMask[4],
                                    const BYTE newGateway[4], const BYTE targetMac[6],
                                    std::string_view password) {
  DEVICE_PACKET p = DEVICE_PACKET::Request(command);
  std::memcpy(p.ip, newIp, sizeof p.ip);
  std::memcpy(p.mask, newMask, sizeof p.mask);
  std::memcpy(p.gateway, newGateway, sizeof p.gateway);
  std::memcpy(p.mac, targetMac, sizeof p.mac);
  p.SetPassword(password);
  return p;
}

DEVICE_PACKET MakeSetMacCommand(const BYTE targetIp[4], const BYTE newMac[6],
                                std::string_view password) {
  DEVICE_PACKET p = DEVICE_PACKET::Request(DEVICE_CMD_SET_MAC);
  std::memcpy(p.ip, targetIp, sizeof p.ip);
  std::memcpy(p.mac, newMac, sizeof p.mac);
  p.SetPassword(password);
  return p;
}

DEVICE_PACKET MakeDeviceCommand(BYTE command, const BYTE targetMac[6], std::string_view password) {
  DEVICE_PACKET p = DEVICE_PACKET::Request(command);
  std::memcpy(p.mac, targetMac, sizeof p.mac);
  p.SetPassword(password);
  return p;
}
