// SPDX-License-Identifier: MIT
#include "base/date_time.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(DateTime, DayZeroIsThirtiethOfDecember1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2020, 11, 13), 44148.0);
  const TDateParts p = DecodeDateTime(44148.0 + EncodeTime(9, 5, 7, 250));
  EXPECT_EQ(p.Year, 2020);
  EXPECT_EQ(p.Month, 11);
  EXPECT_EQ(p.Day, 13);
  EXPECT_EQ(p.Hour, 9);
  EXPECT_EQ(p.Minute, 5);
  EXPECT_EQ(p.Second, 7);
  EXPECT_EQ(p.Msec, 250);
}

TEST(DateTime, DecodingRoundsToWholeMilliseconds) {
  const TDateParts sunset = DecodeDateTime(0.699999988079071);
  EXPECT_EQ(sunset.Hour, 16);
  EXPECT_EQ(sunset.Minute, 47);
  EXPECT_EQ(sunset.Second, 59);
  EXPECT_EQ(sunset.Msec, 999);
  // A moment a hair before midnight rounds into the next day.
  EXPECT_EQ(DateOf(44148.0 + 0.9999999999), 44149.0);
  EXPECT_EQ(HourOf(0.27222222089767456), 6);
  EXPECT_EQ(MinuteOf(0.27222222089767456), 32);
}

TEST(DateTime, RoundTripsEveryDayOfALeapYear) {
  for (int m = 1; m <= 12; ++m) {
    for (int d = 1; d <= DaysInMonth(2020, m); ++d) {
      const TDateParts p = DecodeDateTime(EncodeDateTime(2020, m, d, 23, 59, 59, 999));
      ASSERT_EQ(p.Month, m);
      ASSERT_EQ(p.Day, d);
      ASSERT_EQ(p.Msec, 999);
    }
  }
  EXPECT_FALSE(IsValidDate(2021, 2, 29));
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
}

TEST(DateTime, WholeMinutesAndDaysBetweenMoments) {
  const double a = EncodeDateTime(2020, 11, 13, 10, 0, 0, 900);
  const double b = EncodeDateTime(2020, 11, 13, 10, 10, 0, 100);
  EXPECT_EQ(MinutesBetween(a, b), 9);
  EXPECT_EQ(MinutesBetween(b, a), 9);
  EXPECT_EQ(DaysBetweenDates(EncodeDateTime(2020, 11, 13, 23, 59), EncodeDate(2020, 11, 14)), 1);
  EXPECT_EQ(
      DaysBetweenDates(EncodeDateTime(2020, 11, 13, 0, 1), EncodeDateTime(2020, 11, 13, 23, 0)), 0);
}

// Built while this file's statics are, whatever order the library's files take.
const TDateTime kStaticDate = EncodeDate(2020, 11, 13);

TEST(DateTime, DatesEncodedDuringStaticInitialisationAreRight) {
  EXPECT_EQ(kStaticDate, EncodeDate(2020, 11, 13));
}

}  // namespace
}  // namespace velk
