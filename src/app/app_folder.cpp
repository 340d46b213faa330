// SPDX-License-Identifier: MIT
#include "app/app_folder.h"

#include <cstdlib>
#include <filesystem>

#include "base/app_env.h"

namespace velk {

std::string CommandLineOption(int argc, char** argv, const std::string& name) {
  const std::string withValue = name + "=";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == name && i + 1 < argc) return argv[i + 1];
    if (a.rfind(withValue, 0) == 0) return a.substr(withValue.size());
  }
  return {};
}

std::string ResolveAppFolder(int argc, char** argv, const std::string& executableFolder) {
  std::string chosen = CommandLineOption(argc, argv, "--app-dir");
  if (chosen.empty()) {
    const char* env = std::getenv("VELK_APP_DIR");
    if (env && *env) chosen = env;
  }
  if (chosen.empty()) chosen = executableFolder;
  std::error_code ec;
  const auto absolute = std::filesystem::absolute(chosen, ec);
  return WithTrailingSeparator(ec ? chosen : absolute.string());
}

}  // namespace velk
