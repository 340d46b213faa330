// SPDX-License-Identifier: MIT
#include "views/past_navigation.h"

#include <gtest/gtest.h>

#include "base/date_time.h"
#include "views/room_fill.h"

namespace velk {
namespace {

const double kD0 = EncodeDate(2020, 11, 1);

// A room whose data run from 10:00 on D0 to 10:00 on D0 + 20.
class PastNavigation : public testing::Test {
 protected:
  void SetUp() override {
    test::FillRing(*store, kD0 + 20 + 10.0 / 24, 20 * 288 + 1, test::DefaultCell, &info);
  }
  TRoomDatPtr store = NewRoomDat();
  TRoomInfo info{};
  TPastView view;

  double Newest() const { return kD0 + 21; }  // the midnight after the newest data
  // Runs the steps and gives the window end after each.
  std::vector<double> Steps(int span, std::initializer_list<int> values) {
    view.Span = span;
    ResetToNewest(view, *store);
    std::vector<double> ends;
    for (int v : values) {
      StepWindow(view, *store, info, v);
      ends.push_back(view.WindowEnd);
    }
    return ends;
  }
};

TEST_F(PastNavigation, ResetGoesToTheMidnightAfterTheNewestData) {
  view.Slot = 3;
  ResetToNewest(view, *store);
  EXPECT_EQ(view.WindowEnd, Newest());
  view.Slot = 6;
  ResetToNewest(view, *store);
  EXPECT_EQ(view.WindowEnd, 0);
  store->LastTime = 0;
  view.Slot = 1;
  ResetToNewest(view, *store);
  EXPECT_EQ(view.WindowEnd, 0);
}

TEST_F(PastNavigation, StepsStayBetweenTheFirstAndTheNewestData) {
  EXPECT_EQ(Steps(1, {kStepFirst, kStepBack, kStepBack}), (std::vector<double>{kD0 + 1, kD0, kD0}));
  EXPECT_EQ(Steps(7, {kStepFirst, kStepBack, kStepBack}),
            (std::vector<double>{kD0 + 7, kD0 + 6, kD0 + 6}));
  EXPECT_EQ(Steps(1, {kStepFront, kStepNewest, kStepBack, kStepBack, kStepFront}),
            (std::vector<double>{Newest(), Newest(), Newest() - 1, Newest() - 2, Newest() - 1}));
  EXPECT_EQ(Steps(7, {kStepBack, 3}), (std::vector<double>{Newest() - 7, Newest() - 7}));
  // A month over 20 days of data: every step ends at the newest data.
  EXPECT_EQ(Steps(30, {kStepBack, kStepFirst}), (std::vector<double>{Newest(), Newest()}));
}

TEST_F(PastNavigation, DaySelectionCentresTheWindowForEverySpan) {
  test::FillRing(*store, kD0 + 200.5, 250 * 288, test::DefaultCell, &info);
  const double d = kD0 + 100;
  const struct {
    int Span;
    double Start, End;
  } cases[] = {{1, d, d + 1}, {7, d - 3, d + 4}, {30, d - 15, d + 15}, {120, d - 60, d + 60}};
  for (const auto& c : cases) {
    view.Span = c.Span;
    view.WindowEnd = kD0 + 201;
    CentreOnDay(view, *store, d);
    EXPECT_EQ(view.WindowEnd - view.Span, c.Start) << c.Span;
    EXPECT_EQ(view.WindowEnd, c.End) << c.Span;
    EXPECT_EQ(view.MarkupDay, d);
  }
}

TEST_F(PastNavigation, DaySelectionNearTheDataEnds) {
  view.Span = 7;
  view.WindowEnd = Newest();
  EXPECT_EQ(DaySelectionPreset(view), Newest() - 3) << "the middle rounded up to a midnight";
  // A memo at 15:00 on the newest day: the week ends at the midnight after the newest data.
  CentreOnDay(view, *store, kD0 + 20 + 15.0 / 24);
  EXPECT_EQ(view.WindowEnd, Newest());
  // The first day of data: the week starts the day before it, and a day still shows that day.
  CentreOnDay(view, *store, kD0);
  EXPECT_EQ(view.WindowEnd, kD0 + 6);
  view.Span = 1;
  CentreOnDay(view, *store, kD0 + 14.0 / 24);
  EXPECT_EQ(view.WindowEnd, kD0 + 1);
  double from = 0, to = 0;
  ASSERT_TRUE(MarkupBand(view, from, to));
  EXPECT_EQ(from, kD0);
  EXPECT_EQ(to, kD0 + 1);
}

TEST_F(PastNavigation, PeriodPicksTheSmallestSpanAndShadesItsDays) {
  EXPECT_EQ(SpanForPeriod(kD0 + 5.25, kD0 + 5.5), 1);
  EXPECT_EQ(SpanForPeriod(kD0 + 5, kD0 + 6), 1) << "an end at midnight is not another day";
  EXPECT_EQ(SpanForPeriod(kD0 + 5.9, kD0 + 6.1), 7);
  EXPECT_EQ(SpanForPeriod(kD0 + 5, kD0 + 35), 30);
  EXPECT_EQ(SpanForPeriod(kD0 + 5, kD0 + 36), 120);
  EXPECT_EQ(SpanForPeriod(kD0, kD0 + 400), 120);

  view.Span = 7;
  CentreOnPeriod(view, *store, kD0 + 8.5, kD0 + 10.25);
  EXPECT_EQ(view.WindowEnd, kD0 + 13) << "[D0 + 6, D0 + 13] around the days D0 + 8 to D0 + 10";
  double from = 0, to = 0;
  ASSERT_TRUE(MarkupBand(view, from, to));
  EXPECT_EQ(from, kD0 + 8);
  EXPECT_EQ(to, kD0 + 11);
}

TEST_F(PastNavigation, FollowsNewDataOnlyAtTheNewestWindowWithoutZoom) {
  const TRoomDat* stores[kRoomSlots];
  TRoomDatPtr others[kRoomSlots];
  for (int s = 0; s < kRoomSlots; ++s) {
    others[s] = NewRoomDat();
    stores[s] = others[s].get();
  }
  stores[1] = store.get();
  // The first update takes the slot.
  TFollow f = FollowRoomSlot(view, stores, 1, false);
  EXPECT_TRUE(f.Redraw && f.Captions);
  EXPECT_EQ(view.WindowEnd, Newest());
  // The same live record: nothing to do.
  EXPECT_FALSE(FollowRoomSlot(view, stores, 1, false).Redraw);
  // A new live value: the window at the newest data is redrawn, not while zoomed.
  store->Rec[0].Time += kSecond;
  EXPECT_FALSE(FollowRoomSlot(view, stores, 1, true).Redraw);
  store->Rec[0].Time += kSecond;
  EXPECT_TRUE(FollowRoomSlot(view, stores, 1, false).Redraw);
  // A window placed in the past stays.
  view.WindowEnd -= 3;
  store->Rec[0].Time += kSecond;
  EXPECT_FALSE(FollowRoomSlot(view, stores, 1, false).Redraw);
  EXPECT_EQ(view.WindowEnd, Newest() - 3);
  // A slot change always resets; a slot beyond 5 is ignored.
  f = FollowRoomSlot(view, stores, 2, true);
  EXPECT_TRUE(f.Redraw);
  EXPECT_EQ(view.Slot, 2);
  EXPECT_EQ(view.WindowEnd, 0) << "room 2 has no data";
  EXPECT_FALSE(FollowRoomSlot(view, stores, 7, false).Redraw);
  EXPECT_EQ(view.Slot, 2);
}

TEST_F(PastNavigation, DayWindowLeftAloneOverMidnightKeepsTheDay) {
  const TRoomDat* stores[kRoomSlots] = {store.get(), store.get(), store.get(),
                                        store.get(), store.get(), store.get()};
  test::FillRing(*store, kD0 + 20 + 1435.0 / 1440, 288, test::DefaultCell, &info);  // 23:55
  FollowRoomSlot(view, stores, 1, false);
  ASSERT_EQ(view.WindowEnd, kD0 + 21);
  // The first closing of the new day, a few seconds after midnight.
  store->Rec[0].Time = kD0 + 21 + 10 * kSecond;
  store->LastTime = kD0 + 21 + 5 * kSecond;
  EXPECT_FALSE(FollowRoomSlot(view, stores, 1, false).Redraw);
  EXPECT_EQ(view.WindowEnd, kD0 + 21);
  StepWindow(view, *store, info, kStepNewest);
  EXPECT_EQ(view.WindowEnd, kD0 + 22);
  // After "最新" the window follows again.
  store->Rec[0].Time += kSecond;
  EXPECT_TRUE(FollowRoomSlot(view, stores, 1, false).Redraw);
}

TEST(PastNavigationStart, AWindowNeverPlacedFollowsOnceTheDataHaveLoaded) {
  TRoomDatPtr rooms[kRoomSlots];
  const TRoomDat* stores[kRoomSlots];
  for (int s = 0; s < kRoomSlots; ++s) {
    rooms[s] = NewRoomDat();
    stores[s] = rooms[s].get();
  }
  TPastView view;
  FollowRoomSlot(view, stores, 1, false);  // before the start-up load
  EXPECT_EQ(view.WindowEnd, 0);
  test::FillRing(*rooms[1], kD0 + 0.5, 100);
  EXPECT_TRUE(FollowRoomSlot(view, stores, 1, false).Redraw);
  EXPECT_EQ(view.WindowEnd, kD0 + 1);
}

}  // namespace
}  // namespace velk
