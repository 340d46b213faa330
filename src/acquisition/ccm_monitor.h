// SPDX-License-Identifier: MIT
// The CCM monitor as the receiver sees it, and the line rules of the monitor log.
#pragma once

#include <string>
#include <string_view>

namespace velk {

// The monitor window behind an interface, so that the receiver needs no user interface.
class TCCMMonitor {
 public:
  virtual ~TCCMMonitor() = default;
  // False while the monitor's "show" box is unchecked: the receiver then builds no log line.
  virtual bool CCMLogShown() const = 0;
  virtual void AddCCMLog(std::string_view line) = 0;
};

// A log holding more lines than this is first trimmed from the top ...
inline constexpr int kCCMLogTrimAbove = 50;
// ... until it holds this many lines or fewer.
inline constexpr int kCCMLogTrimTo = 30;

// A line is shown up to this many bytes (counting and parsing still see the whole datagram).
inline constexpr size_t kCCMLogLineBytes = 4000;

// The line as the log shows it: only its first CR LF pair removed.
std::string RemoveFirstCrLf(std::string_view line);
// The shown part of a line: at most kCCMLogLineBytes, cut before a UTF-8 sequence, with "…"
// after a cut.
std::string CapCCMLogLine(std::string_view line);

}  // namespace velk
