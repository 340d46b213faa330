// SPDX-License-Identifier: MIT
#include "base/date_time.h"

#include <cmath>
#include <cstdlib>

namespace velk {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = yoe + era * 400;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

// 1899-12-30 relative to 1970-01-01.
// A constant expression, so dates encoded while other files' statics are built are right too.
constexpr int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
  }
  return kDays[(month - 1) % 12];
}

TDateTime EncodeDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffset);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) /
         static_cast<double>(kMsPerDay);
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec) {
  return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, msec);
}

int64_t ToMilliseconds(TDateTime t) {
  return std::llround(t * static_cast<double>(kMsPerDay));
}

TDateParts DecodeDateTime(TDateTime t) {
  const int64_t ms = ToMilliseconds(t);
  const int64_t days = FloorDiv(ms, kMsPerDay);
  int64_t rest = ms - days * kMsPerDay;
  TDateParts p;
  CivilFromDays(days + kEpochOffset, p.Year, p.Month, p.Day);
  p.Msec = static_cast<int>(rest % 1000);
  rest /= 1000;
  p.Second = static_cast<int>(rest % 60);
  rest /= 60;
  p.Minute = static_cast<int>(rest % 60);
  p.Hour = static_cast<int>(rest / 60);
  return p;
}

TDateTime DateOf(TDateTime t) {
  return static_cast<double>(FloorDiv(ToMilliseconds(t), kMsPerDay));
}

int HourOf(TDateTime t) {
  return DecodeDateTime(t).Hour;
}
int MinuteOf(TDateTime t) {
  return DecodeDateTime(t).Minute;
}

int DaysBetweenDates(TDateTime a, TDateTime b) {
  return static_cast<int>(std::fabs(DateOf(a) - DateOf(b)));
}

int64_t MinutesBetween(TDateTime a, TDateTime b) {
  return std::llabs(ToMilliseconds(a) - ToMilliseconds(b)) / 60000;
}

}  // namespace velk
