// SPDX-License-Identifier: MIT
#include "views/sun_times.h"

#include <cmath>

namespace velk::suntime {
namespace {

constexpr double kPi = 3.141592653589793;
double Rad(double deg) {
  return deg * kPi / 180.0;
}
double Deg(double rad) {
  return rad * 180.0 / kPi;
}
double SinD(double deg) {
  return std::sin(Rad(deg));
}
double CosD(double deg) {
  return std::cos(Rad(deg));
}
double TanD(double deg) {
  return std::tan(Rad(deg));
}

// Into [0, 360) in one step whatever the magnitude: a longitude of 1e20 from a settings file
// must not turn into a loop of 1e18 subtractions. fmod is exact, so an ordinary angle gets the
// same value as by repeated subtraction.
double Reduce360(double a) {
  a = std::fmod(a, 360.0);
  if (a < 0.0) a += 360.0;
  if (a >= 360.0) a -= 360.0;  // a tiny negative remainder rounded up to 360
  return a;
}

struct TTerm {
  double c, a, b;
};

const TTerm kLongitudeTerms[] = {
    {0.0200, 355.05, 719.981}, {0.0048, 234.95, 19.341}, {0.0020, 247.1, 329.64},
    {0.0018, 297.8, 4452.67},  {0.0018, 251.3, 0.20},    {0.0015, 343.2, 450.37},
    {0.0013, 81.4, 225.18},    {0.0008, 132.5, 659.29},  {0.0007, 153.3, 90.38},
    {0.0007, 206.8, 30.35},    {0.0006, 29.8, 337.18},   {0.0005, 207.4, 1.50},
    {0.0005, 291.2, 22.81},    {0.0004, 234.9, 315.56},  {0.0004, 157.3, 299.30},
    {0.0004, 21.1, 720.02},    {0.0003, 352.5, 1079.97}, {0.0003, 329.7, 44.43},
};

double Obliquity(double t) {
  return 23.439291 - 0.000130042 * t;
}

}  // namespace

double TimeArgument(double year, double month, double day, double hour, double minute,
                    double second, double timeZone) {
  double y = year - 2000;
  double m = month;
  if (m <= 2) {
    m += 12;
    y -= 1;
  }
  const double k = 365 * y + 30 * m + day - 33.5 - timeZone / 24 + std::floor(3 * (m + 1) / 5) +
                   std::floor(y / 4) - std::floor(y / 100) + std::floor(y / 400);
  const double t = k + ((second / 60 + minute) / 60 + hour) / 24 + (65 + y) / 86400;
  return t / 365.25;
}

double SiderealAngle(double t, double hour, double minute, double second, double longitude,
                     double timeZone) {
  const double theta = 360.007700536 * t + 100.4606 + 0.00000003879 * t * t - 15 * timeZone +
                       360 * ((second / 60 + minute) / 60 + hour) / 24 + longitude;
  return Reduce360(theta);
}

double SunDistance(double t) {
  const double q = (0.007256 - 0.0000002 * t) * SinD(267.54 + 359.991 * t) +
                   0.000091 * SinD(265.1 + 719.98 * t) + 0.000030 * SinD(90) +
                   0.000013 * SinD(27.8 + 4452.67 * t) + 0.000007 * SinD(254 + 450.4 * t) +
                   0.000007 * SinD(156 + 329.6 * t);
  return std::pow(10.0, q);
}

double EclipticLongitude(double t) {
  double lambda = 280.4603 + 360.00769 * t + (1.9146 - 0.00005 * t) * SinD(357.538 + 359.991 * t);
  for (const TTerm& term : kLongitudeTerms) lambda += term.c * SinD(term.a + term.b * t);
  return Reduce360(lambda);
}

double RightAscension(double t) {
  const double lambda = EclipticLongitude(t);
  double a = Deg(std::atan(TanD(lambda) * CosD(Obliquity(t))));
  if (lambda >= 0 && lambda < 180) {
    while (a < 0) a += 180;
    while (a >= 180) a -= 180;
  } else {
    while (a < 180) a += 180;
    while (a >= 360) a -= 180;
  }
  return a;
}

double Declination(double t) {
  return Deg(std::asin(SinD(EclipticLongitude(t)) * SinD(Obliquity(t))));
}

double Altitude(double latitude, double sidereal, double rightAscension, double declination) {
  return Deg(std::asin(SinD(declination) * SinD(latitude) +
                       CosD(declination) * CosD(latitude) * CosD(sidereal - rightAscension)));
}

double HorizonAltitude(double elevation, double distance) {
  const double parallax = 0.002442818 / distance;
  const double dip = 0.035333333 * std::sqrt(elevation < 0 ? 0.0 : elevation);
  const double semiDiameter = 0.266994444 / distance;
  const double refraction = 0.585555555;
  return (parallax - dip) - semiDiameter - refraction;
}

}  // namespace velk::suntime

namespace velk {

void CalcSunTimes(TDateTime date, int16_t timeZone, double latitude, double longitude,
                  double elevation, double& sunrise, double& sunset) {
  using namespace suntime;
  const TDateParts p = DecodeDateTime(date);
  const double tz = timeZone;
  const auto altitudeAt = [&](double day, double hour, double minute) {
    const double t = TimeArgument(p.Year, p.Month, day, hour, minute, 0, tz);
    const double theta = SiderealAngle(t, hour, minute, 0, longitude, tz);
    return Altitude(latitude, theta, RightAscension(t), Declination(t));
  };
  double previous = altitudeAt(p.Day - 1, 23, 59);
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 60; ++minute) {
      const double t = TimeArgument(p.Year, p.Month, p.Day, hour, minute, 0, tz);
      const double theta = SiderealAngle(t, hour, minute, 0, longitude, tz);
      const double r = SunDistance(t);
      const double current = Altitude(latitude, theta, RightAscension(t), Declination(t));
      const double k = HorizonAltitude(elevation, r);
      const double clock = hour / 24.0 + minute / 1440.0;
      if (previous < k && current > k) sunrise = clock;
      if (previous > k && current < k) sunset = clock;
      previous = current;
    }
  }
}

void UpdateSunTimes(const TAppEnv& env, TStores& stores) {
  const TSiteEst& site = stores.SiteEst;
  double sunrise = 0.0;
  double sunset = 0.0;
  CalcSunTimes(env.Today(), 9, site.Latitude, site.Longitude, site.Elevation, sunrise, sunset);
  for (int slot = 1; slot < kRoomSlots; ++slot) {
    stores.RoomInfo[slot].Sunrise = sunrise;
    stores.RoomInfo[slot].Sunset = sunset;
  }
}

}  // namespace velk
