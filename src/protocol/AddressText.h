// Text forms of the addresses and the version in the device list, and how address texts are
// read back into datagram bytes. The readers accept any text: what they cannot read gives 0.
#pragma once

#include <string>
#include <string_view>

#include "platform/win/basic_types.h"

// "%u.%u.%u.%u", first octet first.
void AppendIPAddressText(std::string& out, const BYTE ip[4]);
std::string IPAddressText(const BYTE ip[4]);
// "%02X-%02X-%02X-%02X-%02X-%02X", first byte first.
void AppendMACAddressText(std::string& out, const BYTE mac[6]);
std::string MACAddressText(const BYTE mac[6]);
// "%X.%02X": major 0x01, minor 0x20 give 1.20.
void AppendVersionText(std::string& out, BYTE major, BYTE minor);
std::string VersionText(BYTE major, BYTE minor);

// Splits at "." (empty pieces skipped); each piece is read like atoi (blanks, a sign, decimal
// digits; the value kept within a signed 32-bit range) and gives its low 8 bits. Missing
// pieces leave 0; pieces after the fourth are ignored. The text ends at a NUL.
void ReadIPAddressText(std::string_view text, BYTE out[4]);
// Splits at "-" (empty pieces skipped); each piece is read like strtol base 16 (blanks, a
// sign, an optional 0x, hex digits; beyond the signed 32-bit range the nearest end of it)
// and gives its low 8 bits. Missing pieces leave 0; pieces after the sixth are ignored.
void ReadMACAddressText(std::string_view text, BYTE out[6]);
