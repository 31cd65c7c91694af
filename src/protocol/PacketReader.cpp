#include "PacketReader.h"

PacketReader::PacketReader(const std::uint8_t* data, std::size_t length)
    : m_data(data), m_length(data != nullptr ? length : 0) {}

std::uint8_t PacketReader::Byte() {
  std::uint8_t value = m_offset < m_length ? m_data[m_offset] : 0;
  ++m_offset;
  return value;
}

void PacketReader::Bytes(std::uint8_t* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out[i] = Byte();
}
