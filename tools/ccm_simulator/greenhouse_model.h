// SPDX-License-Identifier: MIT
// Plausible greenhouse readings over a day for the node simulator.
#pragma once

#include <cstdint>

namespace velk::sim {

class TGreenhouseModel {
 public:
  explicit TGreenhouseModel(uint32_t seed = 1) : state_(seed ? seed : 1) {}
  // The reading of item `item` (0 to 9, the fixed item order) at `hour` (0 to 24, local time):
  // solar radiation in kW/m², air temperature in ℃, relative humidity in %, CO2 in ppm, humidity
  // deficit and absolute humidity in g/m³, dew point and soil temperature in ℃, soil moisture
  // in %, wind speed in m/s. A little noise is added to each call.
  double Value(int item, double hour);
  // Decimals that make sense for the item's unit.
  static int Decimals(int item);

 private:
  double Noise(double amplitude);  // uniform in [-amplitude, amplitude]
  uint32_t state_;
};

}  // namespace velk::sim
