// SPDX-License-Identifier: MIT
#include "settings/ini_file.h"

#include <algorithm>

#include "base/file_io.h"

namespace velk {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The section name of a header line "[name]", or nullopt.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return Trim(line.substr(1, line.size() - 2));
}

// Splits "key=value"; nullopt for lines without "=".
std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return std::make_pair(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
}

// Bytes per code unit and which byte of a unit carries CR and LF (the other one is 0).
struct TUnits {
  size_t Size;
  size_t Low;
};

TUnits UnitsOf(TTextEncoding encoding) {
  switch (encoding) {
    case TTextEncoding::Utf16LeBom:
      return {2, 0};
    case TTextEncoding::Utf16BeBom:
      return {2, 1};
    default:
      return {1, 0};
  }
}

// The code unit at `i` when it is CR or LF, else 0. In code page 932 neither byte occurs inside
// a double-byte character.
char LineBreakUnit(std::string_view body, size_t i, TUnits u) {
  if (i + u.Size > body.size()) return 0;
  if (u.Size == 2 && body[i + 1 - u.Low] != 0) return 0;
  const char c = body[i + u.Low];
  return c == '\r' || c == '\n' ? c : 0;
}

// Whether the bytes are plain ASCII, which code page 932 and UTF-8 hold unchanged.
bool IsAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool AsciiCompatible(TTextEncoding encoding) {
  return encoding == TTextEncoding::Cp932 || encoding == TTextEncoding::Utf8Bom;
}

}  // namespace

bool TIniFile::Load(const std::string& path) {
  lines_.clear();
  encoding_ = TTextEncoding::Cp932;
  if (!FileExists(path)) return !FolderExists(path);
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  Parse(bytes);
  return true;
}

bool TIniFile::Save(const std::string& path) const {
  return WriteWholeFile(path, Serialize());
}

void TIniFile::Parse(std::string_view bytes) {
  lines_.clear();
  encoding_ = DetectTextEncoding(bytes);
  const std::string_view mark = ByteOrderMark(encoding_);
  const std::string_view body = bytes.substr(mark.size());
  const TUnits u = UnitsOf(encoding_);
  size_t start = 0;
  while (start < body.size()) {
    size_t end = start;
    while (end < body.size() && LineBreakUnit(body, end, u) == 0) end += u.Size;
    end = std::min(end, body.size());
    // CR LF, LF alone or CR alone.
    size_t next = end;
    const char brk = LineBreakUnit(body, end, u);
    if (brk != 0) next += u.Size;
    if (brk == '\r' && LineBreakUnit(body, next, u) == '\n') next += u.Size;
    TLine line;
    line.Raw = body.substr(start, end - start);
    line.End = body.substr(end, next - end);
    line.Text = AsciiCompatible(encoding_) && IsAscii(line.Raw)
                    ? line.Raw
                    : DecodeText(std::string(mark) + line.Raw, encoding_);
    Classify(line);
    lines_.push_back(std::move(line));
    start = next;
  }
}

std::string TIniFile::Serialize() const {
  std::string out(ByteOrderMark(encoding_));
  for (size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i].Raw;
    // A last line without its line end gets one when a line follows it; a stray odd byte of a
    // UTF-16 file is completed to a code unit first, so that the lines after it stay aligned.
    // The completing byte 0xFF never makes the unit an ASCII character (a line break, "]" or
    // "="), so the line reads back as what it was: a stray 0x0D completed with 0 would become a
    // CR and turn "[basic]" into a header the first reading did not see.
    if (lines_[i].End.empty() && i + 1 < lines_.size()) {
      out.append(lines_[i].Raw.size() % UnitsOf(encoding_).Size, '\xFF');
      out += MakeLine("").End;
    } else {
      out += lines_[i].End;
    }
  }
  return out;
}

TIniFile::TLine TIniFile::MakeLine(std::string text) const {
  TLine line;
  if (AsciiCompatible(encoding_)) {
    line.Raw =
        IsAscii(text) ? text : EncodeText(text, encoding_).substr(ByteOrderMark(encoding_).size());
    line.End = "\r\n";
  } else {
    const size_t mark = ByteOrderMark(encoding_).size();
    line.Raw = EncodeText(text, encoding_).substr(mark);
    line.End = EncodeText("\r\n", encoding_).substr(mark);
  }
  line.Text = std::move(text);
  Classify(line);
  return line;
}

void TIniFile::Classify(TLine& line) {
  line.Blank = Trim(line.Text).empty();
  if (const auto name = SectionName(line.Text)) {
    line.Header = true;
    line.Name = *name;
  } else if (const auto kv = KeyValue(line.Text)) {
    line.Pair = true;
    line.Name = kv->first;
    line.Value = kv->second;
  }
}

int TIniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].Header && SameName(lines_[i].Name, section)) return static_cast<int>(i);
  }
  return -1;
}

size_t TIniFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && !lines_[i].Header) ++i;
  return i;
}

std::optional<std::string> TIniFile::Read(std::string_view section, std::string_view key) const {
  const int header = FindSection(section);
  if (header < 0) return std::nullopt;
  const size_t end = SectionEnd(static_cast<size_t>(header));
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    if (lines_[i].Pair && SameName(lines_[i].Name, key)) return lines_[i].Value;
  }
  return std::nullopt;
}

void TIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string text(key);
  text += '=';
  for (char c : value) text += c == '\r' || c == '\n' ? ' ' : c;
  const int header = FindSection(section);
  if (header < 0) {
    lines_.push_back(MakeLine("[" + std::string(section) + "]"));
    lines_.push_back(MakeLine(std::move(text)));
    return;
  }
  const size_t end = SectionEnd(static_cast<size_t>(header));
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    if (lines_[i].Pair && SameName(lines_[i].Name, key)) {
      // Unchanged text keeps its bytes; a changed line keeps its own line end.
      if (lines_[i].Text == text) return;
      TLine line = MakeLine(std::move(text));
      if (!lines_[i].End.empty()) line.End = lines_[i].End;
      lines_[i] = std::move(line);
      return;
    }
  }
  // After the section's last non-blank line, so a blank separator line stays a separator.
  size_t at = end;
  while (at > static_cast<size_t>(header) + 1 && lines_[at - 1].Blank) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(std::move(text)));
}

}  // namespace velk
