// SPDX-License-Identifier: MIT
// Sunrise and sunset at the site from an approximate solar ephemeris, scanned minute by minute.
#pragma once

#include <cstdint>

#include "base/app_env.h"
#include "base/date_time.h"
#include "store/stores.h"

namespace velk::suntime {

// Angles in degrees throughout.
double TimeArgument(double year, double month, double day, double hour, double minute,
                    double second, double timeZone);
double SiderealAngle(double t, double hour, double minute, double second, double longitude,
                     double timeZone);
double SunDistance(double t);
double EclipticLongitude(double t);
double RightAscension(double t);
double Declination(double t);
double Altitude(double latitude, double sidereal, double rightAscension, double declination);
double HorizonAltitude(double elevation, double distance);

}  // namespace velk::suntime

namespace velk {

// Local sunrise and sunset of `date` as fractions of a day. A cell is written only when its
// crossing is found, so callers pass cells holding 0.0. A negative elevation counts as 0.
void CalcSunTimes(TDateTime date, int16_t timeZone, double latitude, double longitude,
                  double elevation, double& sunrise, double& sunset);

// Today's sun times (UTC+9) of the site settings into Sunrise and Sunset of slots 1 to 5; slot 0
// keeps its own.
void UpdateSunTimes(const TAppEnv& env, TStores& stores);

}  // namespace velk
