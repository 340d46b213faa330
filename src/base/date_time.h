// SPDX-License-Identifier: MIT
// Date values: 64-bit day counts, day 0 = 30 December 1899, the fraction is the local time of day.
#pragma once

#include <cstdint>

namespace velk {

using TDateTime = double;

constexpr double kMinute = 1.0 / 1440.0;   // one minute in days
constexpr double kSecond = 1.0 / 86400.0;  // one second in days
constexpr int64_t kMsPerDay = 86'400'000;

struct TDateParts {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Msec = 0;
};

bool IsValidDate(int year, int month, int day);
// Day count of a calendar date (no range check: callers validate first).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second = 0, int msec = 0);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second = 0,
                         int msec = 0);

// Whole milliseconds since day 0, rounded to nearest.
int64_t ToMilliseconds(TDateTime t);
// Calendar parts, after rounding to whole milliseconds (0.699999988079071 is 16:47:59.999).
TDateParts DecodeDateTime(TDateTime t);
// The calendar date (midnight) of a moment, after rounding to whole milliseconds.
TDateTime DateOf(TDateTime t);
int HourOf(TDateTime t);
int MinuteOf(TDateTime t);
int DaysInMonth(int year, int month);

// Whole calendar days between the dates of two moments (times of day dropped), never negative.
int DaysBetweenDates(TDateTime a, TDateTime b);
// Absolute difference in whole milliseconds divided by 60,000, remainder dropped.
int64_t MinutesBetween(TDateTime a, TDateTime b);

}  // namespace velk
