// SPDX-License-Identifier: MIT
// Whole-file reads, rewrites and appends. Every call opens and closes its file.
#pragma once

#include <string>
#include <string_view>

namespace velk {

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Creates the folder with any missing parents; true when it exists afterwards.
bool CreateFolders(const std::string& path);
bool ReadWholeFile(const std::string& path, std::string& out);
// Replaces the file's contents (via a temporary file and rename, so a failure never leaves a
// half-written file behind). A symbolic link is followed and its target rewritten; a file
// without any write permission bit is a failure for every user.
bool WriteWholeFile(const std::string& path, std::string_view data);
// Appends to the file, creating it when missing.
bool AppendToFile(const std::string& path, std::string_view data);
// The last `count` bytes of a file (fewer when it is shorter); false when it cannot be read.
bool ReadFileTail(const std::string& path, size_t count, std::string& out);
bool DeleteFile(const std::string& path);
bool CopyFileReplacing(const std::string& from, const std::string& to);

// Splits text into lines at CR LF, LF or CR; a final line break does not start another line.
template <typename Fn>
void ForEachLine(std::string_view text, Fn&& fn) {
  size_t start = 0;
  const size_t n = text.size();
  while (start < n) {
    size_t end = start;
    while (end < n && text[end] != '\n' && text[end] != '\r') ++end;
    fn(text.substr(start, end - start));
    if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

}  // namespace velk
