// A device name is bytes off the wire. The list shows it as UTF-8: valid sequences as they
// are, each invalid one as U+FFFD, so that no text in the program holds broken UTF-8.
#pragma once

#include <string>
#include <string_view>

// Appends bytes to out, each maximal invalid subsequence (a stray byte, or the start of a
// sequence that ends too early or continues wrongly) replaced by one U+FFFD.
void AppendDeviceNameText(std::string& out, std::string_view bytes);
