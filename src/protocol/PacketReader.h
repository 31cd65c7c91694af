// Reads the fields of a datagram in order. Bytes past the end of the datagram read as zero, as
// if it had been read into a zero-filled buffer; reading past the layout's end also gives zero.
#pragma once

#include <cstddef>
#include <cstdint>

class PacketReader final {
 public:
  PacketReader(const std::uint8_t* data, std::size_t length);

  std::uint8_t Byte();
  // Copies count bytes into out (which holds at least count bytes).
  void Bytes(std::uint8_t* out, std::size_t count);
  std::size_t Offset() const { return m_offset; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_length;
  std::size_t m_offset = 0;
};
