// SPDX-License-Identifier: MIT
#include "base/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace velk {
namespace {

bool WriteAll(std::FILE* f, std::string_view data) {
  return data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
}

// The file a path stands for, through any symbolic links (at most 40, as the system allows), so
// that a rewrite updates the target instead of replacing the link.
std::string FollowLinks(const std::string& path) {
  std::filesystem::path p = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(p, ec);
    if (ec) break;
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  return p.string();
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolders(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return FolderExists(path);
}

bool ReadWholeFile(const std::string& path, std::string& out) {
  out.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  // One read of the known size; a file that grows meanwhile is read on to its end.
  struct stat st {};
  if (::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode)) {
    out.resize(static_cast<size_t>(st.st_size));
    out.resize(std::fread(out.data(), 1, out.size(), f));
  }
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool WriteWholeFile(const std::string& path, std::string_view data) {
  const std::string target = FollowLinks(path);
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  // A file the user made read-only is not replaced behind their back, whoever runs the program
  // (access() grants root everything, so the permission bits are checked as well).
  if (exists && (!S_ISREG(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
                 ::access(target.c_str(), W_OK) != 0)) {
    return false;
  }
  const std::string temp = target + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = WriteAll(f, data);
  ok = (std::fflush(f) == 0) && ok;
  // The new file keeps the permissions of the one it replaces.
  if (exists) ok = ::fchmod(::fileno(f), st.st_mode & 07777) == 0 && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

bool AppendToFile(const std::string& path, std::string_view data) {
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return false;
  bool ok = WriteAll(f, data);
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

bool ReadFileTail(const std::string& path, size_t count, std::string& out) {
  out.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(f) : -1;
  ok = size >= 0;
  if (ok) {
    const long from = size > static_cast<long>(count) ? size - static_cast<long>(count) : 0;
    ok = std::fseek(f, from, SEEK_SET) == 0;
    if (ok) {
      out.resize(static_cast<size_t>(size - from));
      ok = std::fread(out.data(), 1, out.size(), f) == out.size();
    }
  }
  std::fclose(f);
  return ok;
}

bool DeleteFile(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
  std::error_code ec;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
  return !ec;
}

}  // namespace velk
