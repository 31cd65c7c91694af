#include "view/CDeviceRecord.h"

#include <cstdlib>
#include <cstring>

#include "platform/afx/Resources.h"
#include "protocol/AddressText.h"
#include "view/DeviceNameText.h"

namespace {

constexpr UINT IDS_UNKNOWN_MODEL = 40012;
constexpr UINT IDS_MODEL_NQ710 = 40021;
constexpr UINT IDS_MODEL_NQ710W = 40022;

// Digits of one dot-separated piece in the given base; what is not a digit ends it.
std::uint32_t ReadPiece(const char*& p, int base) {
  std::uint32_t value = 0;
  for (;; ++p) {
    int d = -1;
    if (*p >= '0' && *p <= '9')
      d = *p - '0';
    else if (base == 16 && *p >= 'A' && *p <= 'F')
      d = *p - 'A' + 10;
    else if (base == 16 && *p >= 'a' && *p <= 'f')
      d = *p - 'a' + 10;
    if (d < 0) break;
    // Field texts are short; the cap only keeps odd input from wrapping.
    if (value < 0x01000000u)
      value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(d);
  }
  if (*p == '.') ++p;
  return value;
}

// "a.b.c.d" as one number, first octet highest.
std::uint32_t AddressKey(const char* text) {
  std::uint32_t key = 0;
  for (int i = 0; i < 4; ++i) key = (key << 8) | (ReadPiece(text, 10) & 0xFFu);
  return key;
}

// "major.minor" in hexadecimal as one number, major highest.
std::uint32_t VersionKey(const char* text) {
  const std::uint32_t major = ReadPiece(text, 16) & 0xFFFFu;
  const std::uint32_t minor = ReadPiece(text, 16) & 0xFFFFu;
  return (major << 16) | minor;
}

int Order(std::uint32_t a, std::uint32_t b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

int Sign(int v) {
  return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

}  // namespace

std::unique_ptr<CDeviceRecord> CDeviceRecord::FromReply(const BYTE reply[DEVICE_PACKET_SIZE]) {
  const DEVICE_PACKET packet = DEVICE_PACKET::Read(reply, DEVICE_PACKET_SIZE);
  const bool known = packet.model == DEVICE_MODEL_NQ710 || packet.model == DEVICE_MODEL_NQ710W;
  const std::string_view name = packet.Name();
  const bool usable = !name.empty() && packet.NameTerminated();

  std::unique_ptr<CDeviceRecord> record(new CDeviceRecord);
  std::string& text = record->m_strText;
  text.reserve(96);
  auto endField = [&](Field k) {
    text += '\0';
    if (k + 1 < FIELD_COUNT)
      record->m_nFieldStart[Index(k + 1)] = static_cast<std::uint32_t>(text.size());
  };
  if (known && usable)
    AppendDeviceNameText(text, name);
  else if (known)
    text += AfxLoadString(packet.model == DEVICE_MODEL_NQ710 ? IDS_MODEL_NQ710 : IDS_MODEL_NQ710W);
  else
    text += AfxLoadString(IDS_UNKNOWN_MODEL);
  endField(NAME);
  AppendIPAddressText(text, packet.ip);
  endField(IP_ADDRESS);
  AppendIPAddressText(text, packet.mask);
  endField(SUBNET_MASK);
  if (known)
    AppendIPAddressText(text, packet.gateway);
  else
    text += "0.0.0.0";
  endField(GATEWAY);
  AppendMACAddressText(text, packet.mac);
  endField(MAC_ADDRESS);
  if (known)
    AppendVersionText(text, packet.versionMajor, packet.versionMinor);
  else
    text += "0.00";
  endField(VERSION);
  record->m_nImage = known ? IMAGE_KNOWN_MODEL : IMAGE_UNKNOWN_MODEL;
  // Lives as long as its row: no spare capacity (a long list holds one per device).
  text.shrink_to_fit();
  record->ReadSortKeys();
  return record;
}

std::unique_ptr<CDeviceRecord> CDeviceRecord::FromFields(
    const std::array<std::string_view, FIELD_COUNT>& fields, int image) {
  std::unique_ptr<CDeviceRecord> record(new CDeviceRecord);
  for (int k = 0; k < FIELD_COUNT; ++k) {
    record->m_nFieldStart[Index(k)] = static_cast<std::uint32_t>(record->m_strText.size());
    const std::string_view f = fields[Index(k)];
    // A NUL would end the field early; the text stops there, as the row text would.
    record->m_strText.append(f.substr(0, f.find('\0')));
    record->m_strText += '\0';
  }
  record->m_nImage = image;
  record->ReadSortKeys();
  return record;
}

std::string_view CDeviceRecord::FieldView(int k) const {
  const char* start = FieldText(k);
  return std::string_view(start, std::strlen(start));
}

void CDeviceRecord::ReadSortKeys() {
  m_nIPKey = AddressKey(FieldText(IP_ADDRESS));
  m_nMaskKey = AddressKey(FieldText(SUBNET_MASK));
  m_nGatewayKey = AddressKey(FieldText(GATEWAY));
  m_nVersionKey = VersionKey(FieldText(VERSION));
}

int CDeviceRecord::Compare(const CDeviceRecord& a, const CDeviceRecord& b, int sortKey) {
  int primary = 0;
  switch (std::abs(sortKey)) {
    case 1:
      primary = Sign(std::strcmp(a.FieldText(NAME), b.FieldText(NAME)));
      return sortKey < 0 ? -primary : primary;
    case 2:
      primary = Order(a.m_nIPKey, b.m_nIPKey);
      break;
    case 3:
      primary = Order(a.m_nMaskKey, b.m_nMaskKey);
      break;
    case 4:
      primary = Order(a.m_nGatewayKey, b.m_nGatewayKey);
      break;
    case 5:
      primary = Sign(std::strcmp(a.FieldText(MAC_ADDRESS), b.FieldText(MAC_ADDRESS)));
      break;
    case 6:
      primary = Order(a.m_nVersionKey, b.m_nVersionKey);
      break;
    default:
      return 0;
  }
  if (primary != 0) return sortKey < 0 ? -primary : primary;
  // Ties go by name, lowest first, whichever way the primary field runs.
  return Sign(std::strcmp(a.FieldText(NAME), b.FieldText(NAME)));
}
