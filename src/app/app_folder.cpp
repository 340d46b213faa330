// SPDX-License-Identifier: MIT
#include "app/app_folder.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/app_env.h"

namespace velk {

std::string ResolveAppFolder(int argc, char** argv, const std::string& executableFolder) {
  std::string chosen;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--app-dir") == 0 && i + 1 < argc) {
      chosen = argv[i + 1];
      break;
    }
    if (std::strncmp(a, "--app-dir=", 10) == 0) {
      chosen = a + 10;
      break;
    }
  }
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
