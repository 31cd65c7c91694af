// Writes the fields of a datagram in order into a buffer of fixed size. A write that would
// pass the end is cut at the end: nothing outside the buffer is ever touched.
#pragma once

#include <cstddef>
#include <cstdint>

class PacketWriter final {
 public:
  PacketWriter(std::uint8_t* buffer, std::size_t capacity);

  void Byte(std::uint8_t value);
  void Bytes(const std::uint8_t* data, std::size_t count);
  // Writes up to field bytes of text and pads the rest of the field with zeros.
  void Field(const char* text, std::size_t textLength, std::size_t field);
  std::size_t Offset() const { return m_offset; }
  // True when some write was cut at the end of the buffer.
  bool Overflowed() const { return m_overflow; }

 private:
  std::uint8_t* m_buffer;
  std::size_t m_capacity;
  std::size_t m_offset = 0;
  bool m_overflow = false;
};
