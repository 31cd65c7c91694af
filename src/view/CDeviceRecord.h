// The device record of one row of the device list: the row text of six NUL-ended fields
// (name, IP address, subnet mask, gateway, MAC address, version), the row's picture, and the
// numeric sort keys of the address and version fields, read once from the field texts so that
// the row comparison never parses text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "protocol/DevicePacket.h"

class CDeviceRecord final {
 public:
  enum Field { NAME, IP_ADDRESS, SUBNET_MASK, GATEWAY, MAC_ADDRESS, VERSION, FIELD_COUNT };
  static constexpr int IMAGE_UNKNOWN_MODEL = 1;
  static constexpr int IMAGE_KNOWN_MODEL = 2;

  // The row of one reply (52 bytes, zero-padded when the datagram was shorter).
  static std::unique_ptr<CDeviceRecord> FromReply(const BYTE reply[DEVICE_PACKET_SIZE]);
  // A row from ready field texts (each must hold no NUL).
  static std::unique_ptr<CDeviceRecord> FromFields(
      const std::array<std::string_view, FIELD_COUNT>& fields, int image);

  CDeviceRecord(const CDeviceRecord&) = delete;
  CDeviceRecord& operator=(const CDeviceRecord&) = delete;

  // The six fields, each followed by one NUL.
  const std::string& Text() const { return m_strText; }
  // Field k, NUL-terminated inside Text().
  const char* FieldText(int k) const { return m_strText.c_str() + m_nFieldStart[Index(k)]; }
  std::string_view FieldView(int k) const;
  int Image() const { return m_nImage; }

  // The row order for a sort key: |key| 1 name, 2 IP address, 3 subnet mask, 4 gateway,
  // 5 MAC address, 6 version; a positive key ascending, a negative one descending; equal
  // primary fields (but names) ordered by name ascending; any other key: all rows equal.
  static int Compare(const CDeviceRecord& a, const CDeviceRecord& b, int sortKey);

 private:
  CDeviceRecord() = default;
  static std::size_t Index(int k) { return static_cast<std::size_t>(k); }
  void ReadSortKeys();

  std::string m_strText;
  std::array<std::uint32_t, FIELD_COUNT> m_nFieldStart{};
  int m_nImage = IMAGE_UNKNOWN_MODEL;
  std::uint32_t m_nIPKey = 0;
  std::uint32_t m_nMaskKey = 0;
  std::uint32_t m_nGatewayKey = 0;
  std::uint32_t m_nVersionKey = 0;
};
