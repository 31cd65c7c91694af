#include "BenchReplies.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

std::vector<ReplyBytes> MakeShuffledReplies(std::size_t count, unsigned seed) {
  std::vector<ReplyBytes> replies(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto n = static_cast<std::uint32_t>(i + 1);
    DEVICE_PACKET p = DEVICE_PACKET::Request(DEVICE_CMD_DISCOVER);
    const BYTE ip[4] = {10, static_cast<BYTE>(n >> 16), static_cast<BYTE>(n >> 8),
                        static_cast<BYTE>(n)};
    const BYTE mask[4] = {255, 0, 0, 0};
    const BYTE gateway[4] = {10, 0, 0, 1};
    const BYTE mac[6] = {0x00,
                         0x1A,
                         static_cast<BYTE>(n >> 24),
                         static_cast<BYTE>(n >> 16),
                         static_cast<BYTE>(n >> 8),
                         static_cast<BYTE>(n)};
    std::memcpy(p.ip, ip, sizeof ip);
    std::memcpy(p.mask, mask, sizeof mask);
    std::memcpy(p.gateway, gateway, sizeof gateway);
    std::memcpy(p.mac, mac, sizeof mac);
    char name[DEVICE_NAME_FIELD] = {};
    std::snprintf(name, sizeof name, "Dev-%07u", static_cast<unsigned>(n));
    std::memcpy(p.name, name, sizeof name);
    p.model = (n % 2 == 0) ? DEVICE_MODEL_NQ710 : DEVICE_MODEL_NQ710W;
    p.versionMajor = static_cast<BYTE>(1 + n % 3);
    p.versionMinor = static_cast<BYTE>(n % 100);
    BYTE bytes[DEVICE_PACKET_SIZE];
    p.Write(bytes);
    std::copy(bytes, bytes + DEVICE_PACKET_SIZE, replies[i].begin());
  }
  std::mt19937 random(seed);
  std::shuffle(replies.begin(), replies.end(), random);
  return replies;
}
