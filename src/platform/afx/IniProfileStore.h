// The user profile on Linux: a read-only INI file.
//
//   ${XDG_CONFIG_HOME:-~/.config}/Lanorix/Lanorix.ini   (or the file given with --profile)
//
//   [Settings]
//   Overview=0100000002000000...   ; binary values as hexadecimal digit pairs
//
// Section and entry names match without regard to case; blanks around names and values and
// between digit pairs are ignored; lines starting with ';' or '#' are comments. The program
// never writes the file. A missing, unreadable, oversized or malformed file, anything that is
// not a regular file (a pipe, a device, a directory), and a value that is empty or not an even
// run of hexadecimal digits, all read as "no value".
#pragma once

#include <string>

#include "Services.h"

class IniProfileStore final : public ProfileStore {
 public:
  explicit IniProfileStore(std::string path) : m_path(std::move(path)) {}

  // The default path from the environment (XDG_CONFIG_HOME, else HOME/.config); empty when
  // neither is set.
  static std::string DefaultPath();

  bool GetBinary(const std::string& section, const std::string& entry,
                 std::vector<std::uint8_t>& out) override;
  const std::string& Path() const { return m_path; }

  // Finds the raw text of section/entry in INI text; false when absent.
  static bool FindValue(const std::string& text, const std::string& section,
                        const std::string& entry, std::string& value);
  // Decodes hexadecimal digit pairs (blanks allowed between pairs); false when malformed.
  static bool DecodeHex(const std::string& text, std::vector<std::uint8_t>& out);

 private:
  std::string m_path;
};
