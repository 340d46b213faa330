// SPDX-License-Identifier: MIT
#include "greenhouse_model.h"

#include <algorithm>
#include <cmath>

#include "store/room_data.h"

namespace velk::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Clear-sky radiation between 06:00 and 18:00, peaking at noon.
double Radiation(double hour) {
  if (hour <= 6.0 || hour >= 18.0) return 0.0;
  return 0.85 * std::sin(kPi * (hour - 6.0) / 12.0);
}
// Coolest before dawn, warmest at 14:00.
double AirTemperature(double hour) {
  return 20.0 + 7.0 * std::cos(2.0 * kPi * (hour - 14.0) / 24.0);
}
// Relative humidity moves against the temperature.
double Humidity(double temperature) {
  return std::clamp(92.0 - 2.6 * (temperature - 13.0), 35.0, 99.0);
}
// Saturated vapour density in g/m³ (Tetens).
double SaturatedVapour(double temperature) {
  const double e = 6.1078 * std::pow(10.0, 7.5 * temperature / (temperature + 237.3));
  return 217.0 * e / (temperature + 273.15);
}
double DewPoint(double temperature, double humidity) {
  const double g = std::log(humidity / 100.0) + 17.27 * temperature / (237.7 + temperature);
  return 237.7 * g / (17.27 - g);
}

}  // namespace

double TGreenhouseModel::Noise(double amplitude) {
  state_ = state_ * 1664525u + 1013904223u;
  return amplitude * (static_cast<double>(state_ >> 8) / 8388608.0 - 1.0);
}

double TGreenhouseModel::Value(int item, double hour) {
  const double radiation = Radiation(hour);
  const double temperature = AirTemperature(hour);
  const double humidity = Humidity(temperature);
  switch (item) {
    case kSolarRadiation:
      return std::max(0.0, radiation * (1.0 + Noise(0.05)));
    case kAirTemperature:
      return temperature + Noise(0.2);
    case kHumidity:
      return std::clamp(humidity + Noise(1.0), 0.0, 100.0);
    case kCO2:
      // Night respiration builds CO2 up; photosynthesis draws it down in daylight.
      return 650.0 - 330.0 * radiation / 0.85 + Noise(10.0);
    case kHumidityDeficit:
      return SaturatedVapour(temperature) * (1.0 - humidity / 100.0) + Noise(0.05);
    case kDewPoint:
      return DewPoint(temperature, humidity) + Noise(0.1);
    case kAbsoluteHumidity:
      return SaturatedVapour(temperature) * humidity / 100.0 + Noise(0.05);
    case kSoilTemperature:
      // The soil follows the air slowly and with a lag of about two hours.
      return 18.0 + 2.0 * std::cos(2.0 * kPi * (hour - 16.0) / 24.0) + Noise(0.05);
    case kSoilMoisture:
      return 38.0 - 6.0 * hour / 24.0 + Noise(0.3);
    case kWindSpeed:
      return std::max(0.0, 0.2 + 0.8 * radiation + Noise(0.15));
    default:
      return 0.0;
  }
}

int TGreenhouseModel::Decimals(int item) {
  switch (item) {
    case kSolarRadiation:
    case kWindSpeed:
      return 2;
    case kCO2:
      return 0;
    case kHumidityDeficit:
    case kAbsoluteHumidity:
      return 3;
    default:
      return 1;
  }
}

}  // namespace velk::sim
