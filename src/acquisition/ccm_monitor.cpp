// SPDX-License-Identifier: MIT
#include "acquisition/ccm_monitor.h"

namespace velk {

std::string RemoveFirstCrLf(std::string_view line) {
  std::string out(line);
  const size_t pos = out.find("\r\n");
  if (pos != std::string::npos) out.erase(pos, 2);
  return out;
}

}  // namespace velk
