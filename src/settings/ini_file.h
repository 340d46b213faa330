// SPDX-License-Identifier: MIT
// INI text in code page 932. Writing a key updates it in place and keeps every other line,
// section and their order; a new key goes to the end of its section, a new section to the end.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

class TIniFile {
 public:
  // Reads the file; a missing file gives an empty document and true, an unreadable one false.
  bool Load(const std::string& path);
  // Writes the document back in code page 932 with CR LF line ends.
  bool Save(const std::string& path) const;

  void Parse(std::string_view utf8Text);
  std::string Serialize() const;  // UTF-8, CR LF

  // Section and key names compare case-insensitively; the value is trimmed of blanks.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  void Write(std::string_view section, std::string_view key, std::string_view value);

 private:
  // Index of the section's header line, or -1.
  int FindSection(std::string_view section) const;
  // One past the last line of the section whose header is at `header`.
  size_t SectionEnd(size_t header) const;

  std::vector<std::string> lines_;
};

}  // namespace velk
