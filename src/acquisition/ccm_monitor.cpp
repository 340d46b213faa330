// SPDX-License-Identifier: MIT
#include "acquisition/ccm_monitor.h"

namespace velk {

std::string RemoveFirstCrLf(std::string_view line) {
  std::string out(line);
  const size_t pos = out.find("\r\n");
  if (pos != std::string::npos) out.erase(pos, 2);
  return out;
}

std::string CapCCMLogLine(std::string_view line) {
  if (line.size() <= kCCMLogLineBytes) return std::string(line);
  size_t cut = kCCMLogLineBytes;
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
  std::string out(line.substr(0, cut));
  out += "…";
  return out;
}

}  // namespace velk
