// SPDX-License-Identifier: MIT
#include "base/date_format.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(DateFormat, WritesEveryPatternOfTheSystem) {
  const double t = EncodeDateTime(2020, 11, 3, 9, 5, 7);
  const struct {
    std::string_view pattern;
    const char* expected;
  } cases[] = {
      {kFmtRecordTime, "2020/11/03 09:05"},
      {kFmtLogTime, "2020/11/03 09:05.07"},
      {kFmtDate, "2020/11/03"},
      {kFmtJpDateTimeSec, "2020年11月03日 09:05.07"},
      {kFmtJpDateTime, "2020年11月03日 09:05"},
      {kFmtJpDate, "2020年11月03日"},
      {kFmtClock, "09:05"},
      {"yyyymmdd", "20201103"},
      {"yyyymm", "202011"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.pattern, t), c.expected) << c.pattern;
}

TEST(DateFormat, ClockTextsOfTheDefaultSunTimes) {
  EXPECT_EQ(FormatDateTime(kFmtClock, 0.27222222089767456), "06:32");
  EXPECT_EQ(FormatDateTime(kFmtClock, 0.699999988079071), "16:47");
  EXPECT_EQ(FormatShortDate(0.0), "1899/12/30");
}

TEST(DateFormat, ParsesTheShortFormsASpreadsheetWritesBack) {
  const struct {
    const char* text;
    bool ok;
    double expected;
  } cases[] = {
      {"2020/11/13 09:05", true, EncodeDateTime(2020, 11, 13, 9, 5)},
      {"2020/11/13 9:05", true, EncodeDateTime(2020, 11, 13, 9, 5)},
      {"2020/11/13 9:05:03", true, EncodeDateTime(2020, 11, 13, 9, 5, 3)},
      {"2020/1/3", true, EncodeDate(2020, 1, 3)},
      {"9:05", true, EncodeTime(9, 5)},
      {"2020/02/30", false, 0},
      {"2020/11/13 24:00", false, 0},
      {"2020/11/13 09:05 ", false, 0},
      {"20/11/13", false, 0},
      {"", false, 0},
      {"abc", false, 0},
  };
  for (const auto& c : cases) {
    double out = -1;
    EXPECT_EQ(ParseDateTimeText(c.text, out), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(out, c.expected) << c.text;
    }
  }
  double d = -1;
  EXPECT_TRUE(ParseDateText("1899/12/30", d));
  EXPECT_EQ(d, 0.0);
  EXPECT_FALSE(ParseDateText("2020/11/13 09:05", d));
}

}  // namespace
}  // namespace velk
