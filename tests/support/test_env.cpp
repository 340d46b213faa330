// SPDX-License-Identifier: MIT
#include "support/test_env.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace velk::test {

TempFolder::TempFolder() {
  const auto base = std::filesystem::temp_directory_path() / "velk-test-XXXXXX";
  std::string pattern = base.string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

TestEnv::TestEnv(TDateTime now) : clock(now) {
  env.AppFolder = folder.Path();
  env.ClockSource = &clock;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace velk::test
