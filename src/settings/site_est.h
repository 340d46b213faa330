// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace velk {

// Location of the greenhouse site.
struct TSiteEst {
  double Latitude = 35.0;    // degrees, north positive
  double Longitude = 135.0;  // degrees, east positive
  int16_t Elevation = 0;     // metres
  int32_t DayBreak = 0;      // 0 = midnight, 1 = sunrise (stored and shown only)
};

}  // namespace velk
