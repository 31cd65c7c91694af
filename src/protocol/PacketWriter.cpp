#include "PacketWriter.h"

PacketWriter::PacketWriter(std::uint8_t* buffer, std::size_t capacity)
    : m_buffer(buffer), m_capacity(buffer != nullptr ? capacity : 0) {}

void PacketWriter::Byte(std::uint8_t value) {
  if (m_offset < m_capacity)
    m_buffer[m_offset] = value;
  else
    m_overflow = true;
  ++m_offset;
}

void PacketWriter::Bytes(const std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) Byte(data[i]);
}

void PacketWriter::Field(const char* text, std::size_t textLength, std::size_t field) {
  for (std::size_t i = 0; i < field; ++i)
    Byte(i < textLength && text != nullptr ? static_cast<std::uint8_t>(text[i]) : 0);
}
