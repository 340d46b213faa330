// SPDX-License-Identifier: MIT
#include "settings/ini_file.h"

#include "base/file_io.h"
#include "base/text_encoding.h"

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

}  // namespace

bool TIniFile::Load(const std::string& path) {
  lines_.clear();
  if (!FileExists(path)) return !FolderExists(path);
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  Parse(DecodeText(bytes, DetectTextEncoding(bytes)));
  return true;
}

bool TIniFile::Save(const std::string& path) const {
  return WriteWholeFile(path, Utf8ToCp932(Serialize()));
}

void TIniFile::Parse(std::string_view utf8Text) {
  lines_.clear();
  ForEachLine(utf8Text, [this](std::string_view line) { lines_.emplace_back(line); });
}

std::string TIniFile::Serialize() const {
  std::string out;
  for (const std::string& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

int TIniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (name && SameName(*name, section)) return static_cast<int>(i);
  }
  return -1;
}

size_t TIniFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && !SectionName(lines_[i])) ++i;
  return i;
}

std::optional<std::string> TIniFile::Read(std::string_view section, std::string_view key) const {
  const int header = FindSection(section);
  if (header < 0) return std::nullopt;
  const size_t end = SectionEnd(static_cast<size_t>(header));
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    const auto kv = KeyValue(lines_[i]);
    if (kv && SameName(kv->first, key)) return std::string(kv->second);
  }
  return std::nullopt;
}

void TIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  const int header = FindSection(section);
  if (header < 0) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(line));
    return;
  }
  const size_t end = SectionEnd(static_cast<size_t>(header));
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    const auto kv = KeyValue(lines_[i]);
    if (kv && SameName(kv->first, key)) {
      lines_[i] = std::move(line);
      return;
    }
  }
  // After the section's last non-blank line, so a blank separator line stays a separator.
  size_t at = end;
  while (at > static_cast<size_t>(header) + 1 && Trim(lines_[at - 1]).empty()) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

}  // namespace velk
