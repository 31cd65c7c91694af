// Device replies for the benchmarks: n distinct devices (each name, address and MAC differs),
// in a random but repeatable arrival order.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "protocol/DevicePacket.h"

using ReplyBytes = std::array<BYTE, DEVICE_PACKET_SIZE>;

// Device i has the name "Dev-<i>", address 10.<i> (three octets), MAC 00-1A-<i> and one of
// the two known models; the list is shuffled with seed.
std::vector<ReplyBytes> MakeShuffledReplies(std::size_t count, unsigned seed = 7);
