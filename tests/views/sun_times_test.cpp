// SPDX-License-Identifier: MIT
#include "views/sun_times.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "base/date_format.h"
#include "support/test_env.h"

namespace velk {
namespace {

struct SunCase {
  const char* name;
  double latitude, longitude;
  int16_t elevation;
  int year, month, day;
  const char* sunrise;
  const char* sunset;
};

class SunTimes : public ::testing::TestWithParam<SunCase> {};

TEST_P(SunTimes, MatchMinuteForMinute) {
  const SunCase& c = GetParam();
  double rise = 0, set = 0;
  CalcSunTimes(EncodeDate(c.year, c.month, c.day), 9, c.latitude, c.longitude, c.elevation, rise,
               set);
  EXPECT_EQ(FormatDateTime(kFmtClock, rise), c.sunrise);
  EXPECT_EQ(FormatDateTime(kFmtClock, set), c.sunset);
}

INSTANTIATE_TEST_SUITE_P(
    Sites, SunTimes,
    ::testing::Values(
        SunCase{"TokyoMidsummer", 35.6895, 139.6917, 0, 2020, 6, 21, "04:26", "19:01"},
        SunCase{"TokyoNewYear", 35.6895, 139.6917, 0, 2020, 1, 1, "06:51", "16:39"},
        SunCase{"PolarDay", 70, 139.6917, 0, 2020, 7, 1, "00:00", "00:00"},
        SunCase{"PolarNight", 70, 139.6917, 0, 2020, 12, 21, "00:00", "00:00"},
        SunCase{"NegativeElevationCountsAsSeaLevel", 35.6895, 139.6917, -50, 2020, 6, 21, "04:26",
                "19:01"},
        // A longitude a whole turn away is the same meridian.
        SunCase{"LongitudeOneTurnEast", 35.6895, 499.6917, 0, 2020, 6, 21, "04:26", "19:01"},
        SunCase{"LongitudeOneTurnWest", 35.6895, -220.3083, 0, 2020, 1, 1, "06:51", "16:39"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SunTimes, HostileSiteValuesReturnAtOnce) {
  // A settings file may hold any number; the update runs while the settings view is created.
  const double big = std::numeric_limits<double>::max();
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double v : {1e20, -1e20, 1e300, -1e300, big, -big, inf, -inf, nan}) {
    for (const auto& [latitude, longitude] : {std::pair{35.0, v}, std::pair{v, 135.0}}) {
      double rise = 0, set = 0;
      CalcSunTimes(EncodeDate(2020, 6, 21), 9, latitude, longitude, 0, rise, set);
      EXPECT_TRUE(rise >= 0 && rise < 1) << latitude << " " << longitude;
      EXPECT_TRUE(set >= 0 && set < 1) << latitude << " " << longitude;
    }
  }
}

TEST(SunTimes, HigherSitesSeeTheSunLonger) {
  double rise0 = 0, set0 = 0, rise1 = 0, set1 = 0;
  const double date = EncodeDate(2020, 3, 20);
  CalcSunTimes(date, 9, 35.0, 135.0, 0, rise0, set0);
  CalcSunTimes(date, 9, 35.0, 135.0, 3000, rise1, set1);
  EXPECT_LT(rise1, rise0);
  EXPECT_GT(set1, set0);
}

TEST(SunTimes, UpdateWritesRoomsOneToFiveAndKeepsTheFileSlot) {
  test::TestEnv t(EncodeDateTime(2020, 6, 21, 12, 0));
  TStores stores;
  stores.SiteEst.Latitude = 35.6895;
  stores.SiteEst.Longitude = 139.6917;
  stores.RoomInfo[0].Sunrise = kDefaultSunrise;
  stores.RoomInfo[0].Sunset = kDefaultSunset;
  UpdateSunTimes(t.env, stores);
  EXPECT_EQ(stores.RoomInfo[0].Sunrise, kDefaultSunrise);
  EXPECT_EQ(stores.RoomInfo[0].Sunset, kDefaultSunset);
  for (int slot = 1; slot < kRoomSlots; ++slot) {
    EXPECT_EQ(FormatDateTime(kFmtClock, stores.RoomInfo[slot].Sunrise), "04:26");
    EXPECT_EQ(FormatDateTime(kFmtClock, stores.RoomInfo[slot].Sunset), "19:01");
  }
}

}  // namespace
}  // namespace velk
