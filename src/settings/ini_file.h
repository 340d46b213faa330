// SPDX-License-Identifier: MIT
// INI text in code page 932, or in UTF-8 or UTF-16 when a byte-order mark says so. Writing a key
// updates its line in place and keeps every other line byte for byte, with its own line end; a
// new key goes to the end of its section, a new section to the end. Only written lines are
// encoded anew, in the file's own encoding, with CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"

namespace velk {

class TIniFile {
 public:
  // Reads the file; a missing file gives an empty document and true, an unreadable one false.
  bool Load(const std::string& path);
  // Writes the document back in the file's encoding.
  bool Save(const std::string& path) const;

  // The file's bytes, in the encoding its byte-order mark announces (code page 932 without one).
  void Parse(std::string_view bytes);
  // The bytes to write.
  std::string Serialize() const;

  // Section and key names compare case-insensitively; the value is trimmed of blanks (UTF-8).
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // The value as UTF-8; a CR or LF in it becomes a space, so a text cannot start another line.
  void Write(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct TLine {
    std::string Text;  // decoded, without the line end
    std::string Raw;   // the bytes as in the file, without the line end
    std::string End;   // the line end's bytes ("" for a last line without one)
    // What the text holds, worked out once: a section header with its name, or a key line with
    // its key and value (trimmed); Blank for a line of blanks only.
    bool Header = false;
    bool Pair = false;
    bool Blank = false;
    std::string Name;
    std::string Value;
  };
  static void Classify(TLine& line);

  TLine MakeLine(std::string text) const;
  // Index of the section's header line, or -1.
  int FindSection(std::string_view section) const;
  // One past the last line of the section whose header is at `header`.
  size_t SectionEnd(size_t header) const;

  TTextEncoding encoding_ = TTextEncoding::Cp932;
  std::vector<TLine> lines_;
};

}  // namespace velk
