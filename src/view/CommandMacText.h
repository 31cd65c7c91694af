// The MAC address as typed into the MAC dialog: strictly read, so that a mistyped address is
// refused instead of being sent to a device as some other address.
#pragma once

#include <string_view>

#include "platform/win/basic_types.h"

// Accepts six groups of one or two hexadecimal digits separated by "-" or by ":" (one kind
// throughout), or twelve hexadecimal digits without separators; blanks around the text are
// ignored, letters may be of either case. False, out unchanged, for anything else.
bool ParseTypedMACAddress(std::string_view text, BYTE out[6]);

// Shown when the typed text is refused.
extern const char* const kTypedMACAddressForm;
