// SPDX-License-Identifier: MIT
// What every file-handling or time-reading core operation needs: the application folder, the
// clock, and whether this process is a history-only instance. The application owns one; tests
// build their own over a temporary folder and a fake clock.
#pragma once

#include <string>

#include "base/clock.h"

namespace velk {

struct TAppEnv {
  // The application folder, always ending in the path separator.
  std::string AppFolder;
  const velk::Clock* ClockSource = nullptr;
  // Set once at process start when another instance holds the single-instance lock.
  bool HistoryOnly = false;

  TDateTime Now() const { return ClockSource->Now(); }
  TDateTime Today() const { return ClockSource->Today(); }
};

// The path separator of this platform, used wherever the folder layout says "\".
inline constexpr char kPathSep = '/';

// Adds the trailing separator when it is missing.
std::string WithTrailingSeparator(std::string folder);

}  // namespace velk
