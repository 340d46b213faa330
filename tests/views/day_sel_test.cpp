// SPDX-License-Identifier: MIT
#include "views/day_sel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/date_format.h"

namespace velk {
namespace {

// Functions, not constants: the date encoder's own constants may not be set up before main().
TDateTime StartDate() {
  return EncodeDateTime(2020, 1, 10, 8, 5);
}
TDateTime LastDate() {
  return EncodeDateTime(2020, 6, 21, 10, 35);
}
TDateTime BeginDate() {
  return EncodeDate(2020, 3, 1);
}

struct DaySelTest : ::testing::Test {
  std::unique_ptr<TStores> stores = std::make_unique<TStores>();
  TDaySelModel m;
  void SetUp() override {
    stores->RoomInfo[2].StartDate = StartDate();
    stores->RoomInfo[2].LastDate = LastDate();
    stores->RoomEst[2].BeginDate = BeginDate();
    m.Slot = 2;
  }
  void AddEvents(int count) {
    TRoomEventDat& list = stores->RoomEvent[2];
    for (int i = 0; i < count; ++i) {
      // Position 0 is the most recently added.
      list.Event[i].Date = EncodeDateTime(2020, 5, 1, 7, 30) + (count - i);
      list.Event[i].Text = (i % 2 ? "灌水 " : "換気 ") + std::to_string(i);
    }
  }
};

TEST_F(DaySelTest, EachSourceSetsDateKindAndTheOtherControls) {
  const TDateTime memo = EncodeDateTime(2020, 5, 5, 14, 20);
  stores->RoomEvent[2].Event[0] = {memo, "誘引", {}};
  Search(m, *stores, "");
  struct Case {
    const char* name;
    void (*act)(TDaySelModel&, const TStores&);
    TDateTime date;
    int kind;  // after a preset of kind 4
    TDaySelButton down;
    int byStart;
    int byNow;
    TDateTime calendar;
  };
  const TDateTime june18 = EncodeDate(2020, 6, 18);
  const Case cases[] = {
      {"preset",
       [](TDaySelModel& m, const TStores& s) { PresetDate(m, s, EncodeDate(2020, 6, 18)); }, june18,
       4, TDaySelButton::kAnyDay, 109, 3, june18},
      {"開始日", PickStart, StartDate(), kDayKindFirst, TDaySelButton::kStart, 0, 163,
       EncodeDate(2020, 1, 10)},
      {"現在／最新日", PickFinish, LastDate(), kDayKindLatest, TDaySelButton::kFinish, 112, 0,
       EncodeDate(2020, 6, 21)},
      {"calendar",
       [](TDaySelModel& m, const TStores& s) {
         ChangeCalendar(m, s, EncodeDateTime(2020, 6, 18, 9, 0));
       },
       june18, kDayKindAnyDay, TDaySelButton::kAnyDay, 109, 3, june18},
      {"result", [](TDaySelModel& m, const TStores& s) { ASSERT_TRUE(PickResult(m, s, 0)); }, memo,
       4, TDaySelButton::kAnyDay, 65, 46, EncodeDate(2020, 5, 5)},
      {"SEByStart", [](TDaySelModel& m, const TStores& s) { ChangeByStart(m, s, 10); },
       BeginDate() + 10, 4, TDaySelButton::kAnyDay, 10, 102, EncodeDate(2020, 3, 11)},
      {"SEByNow", [](TDaySelModel& m, const TStores& s) { ChangeByNow(m, s, 3); }, LastDate() - 3,
       4, TDaySelButton::kAnyDay, 109, 3, EncodeDate(2020, 6, 18)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PresetDayKind(m, 4);
    c.act(m, *stores);
    EXPECT_EQ(m.SelectedDate, c.date);
    EXPECT_EQ(m.DayKind, c.kind);
    EXPECT_EQ(m.Down, c.down);
    EXPECT_EQ(m.ByStart, c.byStart);
    EXPECT_EQ(m.ByNow, c.byNow);
    EXPECT_EQ(m.CalendarDate, c.calendar);
  }
}

TEST_F(DaySelTest, LatestAndDaysBeforeKeepTheTimeOfDay) {
  PickFinish(m, *stores);
  EXPECT_EQ(m.SelectedDate, LastDate());  // 10:35 included
  EXPECT_EQ(m.ByNow, 0);
  ChangeByNow(m, *stores, 3);
  EXPECT_EQ(FormatDateTime(kFmtRecordTime, m.SelectedDate), "2020/06/18 10:35");
  EXPECT_EQ(m.DayKind, kDayKindLatest);
  EXPECT_EQ(m.Down, TDaySelButton::kAnyDay);
  PickAnyDay(m, *stores);  // the calendar's day, kind back to 0
  EXPECT_EQ(m.SelectedDate, EncodeDate(2020, 6, 18));
  EXPECT_EQ(m.DayKind, kDayKindAnyDay);
  EXPECT_EQ(m.ByNow, 3);  // 10:35 less than 3 whole days later: cut towards zero
}

TEST_F(DaySelTest, SpinValuesStayInTheirRange) {
  stores->RoomEst[2].BeginDate = 0;        // no cultivation begin: more than 365 days
  PresetDate(m, *stores, LastDate() + 2);  // after the newest data
  EXPECT_EQ(m.ByStart, kDaySelSpinMax);
  EXPECT_EQ(m.ByNow, 0);
}

TEST_F(DaySelTest, PresetDayKindPutsItsButtonDown) {
  const std::pair<int, TDaySelButton> cases[] = {{kDayKindFirst, TDaySelButton::kStart},
                                                 {kDayKindLatest, TDaySelButton::kFinish},
                                                 {kDayKindAnyDay, TDaySelButton::kAnyDay},
                                                 {3, TDaySelButton::kAnyDay}};
  for (const auto& [code, down] : cases) {
    PresetDayKind(m, code);
    EXPECT_EQ(m.DayKind, code);
    EXPECT_EQ(m.Down, down) << code;
  }
}

TEST_F(DaySelTest, SearchListsAtMostFiftyNewestFirst) {
  AddEvents(120);
  stores->RoomEvent[2].Event[1].Date = 0;  // a hole is skipped
  Search(m, *stores, "");
  ASSERT_EQ(m.ResultCount, 50);
  EXPECT_EQ(m.Results[0].Text, "換気 0");
  EXPECT_EQ(m.Results[1].Text, "換気 2");
  EXPECT_EQ(m.Results[49].Text, "換気 50");

  Search(m, *stores, "灌水");
  ASSERT_EQ(m.ResultCount, 50);
  EXPECT_EQ(m.Results[0].Text, "灌水 3");
  EXPECT_EQ(m.Results[49].Text, "灌水 101");
  EXPECT_EQ(m.Keyword, "灌水");

  Search(m, *stores, "灌水 11");  // 11 and 111 to 119
  EXPECT_EQ(m.ResultCount, 6);
  const std::vector<std::string> lines = ResultLines(m);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "2020/08/18 | 灌水 11");
  EXPECT_FALSE(PickResult(m, *stores, 6));  // no such line
  EXPECT_EQ(m.SelectedDate, 0);

  Search(m, *stores, "X");
  EXPECT_EQ(m.ResultCount, 0);
  EXPECT_EQ(m.Results[0].Date, 0);
}

TEST_F(DaySelTest, SlotOutsideTheStoresKeepsTheListAndReadsNothing) {
  AddEvents(3);
  Search(m, *stores, "");
  m.Slot = 6;
  Search(m, *stores, "nothing");
  EXPECT_EQ(m.ResultCount, 3);
  m.Slot = -1;
  PickFinish(m, *stores);
  EXPECT_EQ(m.SelectedDate, 0);
  ChangeByStart(m, *stores, 5);
  EXPECT_EQ(m.SelectedDate, 5);
}

}  // namespace
}  // namespace velk
