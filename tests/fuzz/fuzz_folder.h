// SPDX-License-Identifier: MIT
// A temporary application folder for the fuzz targets that write files: in memory where there
// is such a folder, removed with everything in it at exit.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace velk::fuzz {

class TFuzzFolder {
 public:
  TFuzzFolder() {
    char shm[] = "/dev/shm/velk-fuzz-XXXXXX";
    char tmp[] = "/tmp/velk-fuzz-XXXXXX";
    const char* made = mkdtemp(shm);
    if (made == nullptr) made = mkdtemp(tmp);
    if (made == nullptr) __builtin_trap();
    path_ = made;
  }
  ~TFuzzFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TFuzzFolder(const TFuzzFolder&) = delete;
  TFuzzFolder& operator=(const TFuzzFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace velk::fuzz
