// SPDX-License-Identifier: MIT
// A private application folder and a fake clock for one test.
#pragma once

#include <string>

#include "base/app_env.h"
#include "base/clock.h"

namespace velk::test {

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // With a trailing separator.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// An application environment over a temporary folder and a fake clock.
struct TestEnv {
  explicit TestEnv(TDateTime now = EncodeDateTime(2020, 11, 13, 9, 5, 7));
  TempFolder folder;
  FakeClock clock;
  TAppEnv env;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace velk::test
