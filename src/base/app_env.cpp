// SPDX-License-Identifier: MIT
#include "base/app_env.h"

namespace velk {

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || folder.back() != kPathSep) folder += kPathSep;
  return folder;
}

}  // namespace velk
