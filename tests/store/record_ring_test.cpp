// SPDX-License-Identifier: MIT
#include "store/record_ring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

#include "base/date_format.h"

namespace velk {
namespace {

using Ring = std::vector<TRecDat>;

TDateTime At(int h, int n, int s = 0, int ms = 0) {
  return EncodeDateTime(2020, 11, 13, h, n, s, ms);
}

TRecDat Rec(TDateTime time, float value = 1) {
  TRecDat r{};
  r.Time = time;
  r.Item[kAirTemperature] = {1, value, value + 1, value - 1};
  return r;
}

std::string Clock(const TRecDat& r) {
  return r.Time == 0 ? "-" : FormatDateTime("hh:nn", r.Time);
}

std::string Label(const TRecDat& r) {
  return Clock(r) + (r.Time != 0 && r.Item[kAirTemperature].Valid ? "*" : "");
}

// Positions equal in time and in every cell (padding bytes aside).
void ExpectSameRing(std::span<const TRecDat> got, std::span<const TRecDat> want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t p = 0; p < got.size(); ++p) {
    ASSERT_EQ(got[p].Time, want[p].Time) << "position " << p;
    for (int n = 0; n < kItemCount; ++n) {
      const TItemStat& a = got[p].Item[n];
      const TItemStat& b = want[p].Item[n];
      ASSERT_TRUE(a.Valid == b.Valid && a.Avg == b.Avg && a.Max == b.Max && a.Min == b.Min)
          << "position " << p << " item " << n;
    }
  }
}

// The rules as written, one step at a time, as the reference for the fast forms.
bool InsertLiteral(Ring& ring, const TRecDat& record) {
  for (int p = static_cast<int>(ring.size()) - 1; p >= 1; --p) {
    if (ring[p].Time == 0) {
      ring[p] = record;
      return true;
    }
    if (ring[p].Time > record.Time) {
      for (int k = 1; k <= p; ++k) ring[k - 1] = ring[k];
      ring[p] = record;
      return true;
    }
  }
  return false;
}

void MoveLiteral(Ring& ring, int first, int count, int shift) {
  const int last = static_cast<int>(ring.size()) - 1;
  if (shift > 0) {
    for (int p = first; p < first + count && p <= last; ++p) {
      ring[p - shift] = ring[p];
      ClearRecord(ring[p]);
    }
  } else if (shift < 0) {
    for (int p = std::min(first + count - 1, last); p >= first; --p) {
      if (p - shift <= last) ring[p - shift] = ring[p];
      ClearRecord(ring[p]);
    }
  }
}

void FillLiteral(Ring& ring) {
  const int size = static_cast<int>(ring.size());
  for (int s = 0; s <= size - 3; ++s) {
    if (ring[s].Time == 0) continue;
    int next = s + 1;
    while (next < size && ring[next].Time == 0) ++next;
    if (next == size) return;
    if (ring[next].Time > ring[s].Time) continue;  // a newer record opens no gap
    const int64_t f = PeriodsBetween(ring[next].Time, ring[s].Time) - (next - s);
    if (f <= 0) continue;
    MoveLiteral(ring, next, size - next, -static_cast<int>(std::min<int64_t>(f, size)));
    for (int64_t r = 0; r < f && next + r < size; ++r) {
      ClearRecord(ring[next + r]);
      ring[next + r].Time = ring[s].Time - static_cast<double>(r + 1) * kPeriodDays;
    }
  }
}

void AlignLiteral(Ring& ring, TDateTime now) {
  const int size = static_cast<int>(ring.size());
  int q = 0;
  while (q < size && ring[q].Time == 0) ++q;
  if (q == size) return;
  const int64_t age = ring[q].Time > now ? 0 : PeriodsBetween(ring[q].Time, now);
  const int steps = static_cast<int>(std::clamp<int64_t>(age, 1, size));
  MoveLiteral(ring, q, size - q, q - steps);
  const TDateTime e = EndOfCurrentPeriod(now);
  for (int r = 0; r < steps; ++r) {
    ClearRecord(ring[r]);
    ring[r].Time = e - static_cast<double>(r) * kPeriodDays;
  }
  FillLiteral(ring);
}

// Records roughly oldest first: mostly five minutes apart, some repeated, some out of order.
std::vector<TRecDat> RandomArrivals(std::mt19937& rng, int count) {
  std::vector<TRecDat> out;
  TDateTime t = At(0, 0);
  for (int i = 0; i < count; ++i) {
    const int kind = static_cast<int>(rng() % 10);
    if (kind < 6) {
      t += kPeriodDays;
      out.push_back(Rec(t, static_cast<float>(i)));
    } else if (kind < 8) {
      out.push_back(Rec(t, static_cast<float>(i)));  // same time again
    } else {
      out.push_back(Rec(t - static_cast<double>(rng() % 20) * kPeriodDays, static_cast<float>(i)));
    }
  }
  return out;
}

TEST(RecordRing, InsertionMatchesTheFarEndScanOnRandomArrivals) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    Ring fast(50), hinted(50), literal(50);
    int runStart = 0;
    for (const TRecDat& r : RandomArrivals(rng, 1 + static_cast<int>(rng() % 80))) {
      const bool stored = InsertLiteral(literal, r);
      ASSERT_EQ(InsertRecordByTime(fast, r), stored);
      ASSERT_EQ(InsertRecordByTime(hinted, r, runStart), stored);
      ExpectSameRing(fast, literal);
      ExpectSameRing(hinted, literal);
    }
  }
}

TEST(RecordRing, InsertionMatchesTheFarEndScanOnRingsWithHoles) {
  {  // -- -- 12:00 -- 11:00 10:00, then 09:00: every record moves one place towards 0
    Ring ring(6), literal(6);
    ring[2] = Rec(At(12, 0));
    ring[4] = Rec(At(11, 0));
    ring[5] = Rec(At(10, 0));
    literal = ring;
    ASSERT_TRUE(InsertRecordByTime(ring, Rec(At(9, 0))));
    InsertLiteral(literal, Rec(At(9, 0)));
    ExpectSameRing(ring, literal);
    EXPECT_EQ(Clock(ring[1]), "12:00");
  }
  std::mt19937 rng(13);
  for (int round = 0; round < 2000; ++round) {
    Ring ring(30);
    TDateTime t = At(12, 0);
    for (TRecDat& r : ring) {
      t -= static_cast<double>(rng() % 3) * kPeriodDays;  // equal times and steps back
      if (rng() % 4 == 0) t += 2 * kPeriodDays;           // out of order
      if (rng() % 3 != 0) r = Rec(t, static_cast<float>(rng() % 100));
    }
    Ring literal = ring;
    for (int i = 0; i < 3; ++i) {
      const TRecDat next = Rec(At(10, 0) + static_cast<double>(rng() % 60) * kMinute);
      ASSERT_EQ(InsertRecordByTime(ring, next), InsertLiteral(literal, next));
      ExpectSameRing(ring, literal);
    }
  }
}

TEST(RecordRing, InsertionOrdersRecordsFromTheFarEnd) {
  TRoomDatPtr store = NewRoomDat();
  for (TDateTime t : {At(10, 0), At(10, 10), At(10, 5)})
    EXPECT_TRUE(InsertRecordByTime(*store, Rec(t)));
  EXPECT_EQ(Clock(store->Rec[kRingLast - 2]), "10:10");
  EXPECT_EQ(Clock(store->Rec[kRingLast - 1]), "10:05");
  EXPECT_EQ(Clock(store->Rec[kRingLast]), "10:00");
  EXPECT_EQ(store->Rec[kRingLast - 3].Time, 0);

  // Equal times keep their reading order: the later-read one lands nearer position 1.
  Ring ring(5);
  InsertRecordByTime(ring, Rec(At(9, 0), 1));
  InsertRecordByTime(ring, Rec(At(9, 0), 2));
  EXPECT_EQ(ring[3].Item[kAirTemperature].Avg, 2);
  EXPECT_EQ(ring[4].Item[kAirTemperature].Avg, 1);
}

TEST(RecordRing, AFullRingDropsANewerRecordAndShiftsForAnOlderOne) {
  Ring ring(6);
  ring[0] = Rec(At(12, 0), 99);  // whatever position 0 holds is overwritten
  for (int k = 1; k <= 5; ++k) ring[k] = Rec(At(10, 0) - k * kPeriodDays, static_cast<float>(k));
  EXPECT_FALSE(InsertRecordByTime(ring, Rec(At(11, 0))));
  EXPECT_EQ(ring[0].Item[kAirTemperature].Avg, 99);

  EXPECT_TRUE(InsertRecordByTime(ring, Rec(At(8, 0), 7)));
  EXPECT_EQ(ring[0].Item[kAirTemperature].Avg, 1);  // position 1 moved to 0
  EXPECT_EQ(ring[4].Item[kAirTemperature].Avg, 5);
  EXPECT_EQ(ring[5].Item[kAirTemperature].Avg, 7);
}

TEST(RecordRing, BlockMovesMatchTheStepwiseRule) {
  std::mt19937 rng(11);
  for (int round = 0; round < 500; ++round) {
    Ring base(30);
    for (int p = 0; p < 30; ++p) {
      if (rng() % 4) base[p] = Rec(At(1, 0) + p * kPeriodDays, static_cast<float>(p));
    }
    const int first = static_cast<int>(rng() % 30);
    const int count = static_cast<int>(rng() % (31 - first)) + static_cast<int>(rng() % 3);
    const int shift = static_cast<int>(rng() % 61) - 30;
    if (shift > first) continue;
    Ring fast = base, literal = base;
    MoveRecordBlock(fast, first, count, shift);
    MoveLiteral(literal, first, count, shift);
    ExpectSameRing(fast, literal);
  }
  Ring ring(4, Rec(At(1, 0)));
  const Ring before = ring;
  MoveRecordBlock(ring, 1, 3, 0);
  ExpectSameRing(ring, before);
}

TEST(RecordRing, BlockMovesOutsideTheRingAreRefused) {
  Ring ring(10);
  EXPECT_THROW(MoveRecordBlock(ring, 2, 8, 3), std::out_of_range);  // below position 0
  EXPECT_THROW(MoveRecordBlock(ring, 10, 1, -1), std::out_of_range);
  EXPECT_THROW(MoveRecordBlock(ring, -1, 2, 1), std::out_of_range);
  EXPECT_THROW(MoveRecordBlock(ring, 1, -2, 1), std::out_of_range);
}

TEST(RecordRing, GapFillingMatchesTheStepwiseRuleOnRandomRings) {
  std::mt19937 rng(3);
  for (int round = 0; round < 2000; ++round) {
    Ring ring(40);
    int p = static_cast<int>(rng() % 5);
    TDateTime t = At(20, 0);
    while (p < 40) {
      const int kind = static_cast<int>(rng() % 12);
      if (kind == 0) {
        p += 1 + static_cast<int>(rng() % 3);  // empty positions inside the run
        continue;
      }
      if (kind < 4) t -= static_cast<double>(rng() % 15) * kPeriodDays;  // a gap
      if (kind == 4) t += 2 * kPeriodDays;                               // out of order
      if (kind == 5) t -= kMinute * static_cast<double>(rng() % 9);      // off the grid
      t -= kPeriodDays;
      ring[p] = Rec(t, static_cast<float>(p));
      p += 1;
    }
    Ring literal = ring;
    FillRingGaps(ring);
    FillLiteral(literal);
    ExpectSameRing(ring, literal);
  }
}

TEST(RecordRing, GapsGetEmptyGridRecords) {
  struct Case {
    const char* name;
    TDateTime newer, older;
    std::vector<std::string> want;  // positions 0 upward; "*" marks a record with data
  };
  const Case cases[] = {
      {"twenty minutes", At(10, 0), At(9, 40), {"10:00*", "09:55", "09:50", "09:45", "09:40*"}},
      {"one period", At(10, 0), At(9, 55), {"10:00*", "09:55*", "-", "-", "-"}},
      {"newer than the one before", At(9, 40), At(10, 0), {"09:40*", "10:00*", "-", "-", "-"}},
      {"nine whole minutes",
       At(10, 10, 0, 100),
       At(10, 0, 0, 900),
       {"10:10*", "10:00*", "-", "-", "-"}},
  };
  for (const Case& c : cases) {
    Ring ring(5);
    ring[0] = Rec(c.newer);
    ring[1] = Rec(c.older);
    FillRingGaps(ring);
    std::vector<std::string> got;
    for (const TRecDat& r : ring) got.push_back(Label(r));
    EXPECT_EQ(got, c.want) << c.name;
  }
}

TEST(RecordRing, AGapLongerThanTheRingFillsToTheLastPosition) {
  TRoomDatPtr store = NewRoomDat();
  store->Rec[kRingLast - 2] = Rec(At(10, 0));
  store->Rec[kRingLast - 1] = Rec(At(9, 0));
  FillRingGaps(*store);
  EXPECT_EQ(Clock(store->Rec[kRingLast - 1]), "09:55");
  EXPECT_EQ(Clock(store->Rec[kRingLast]), "09:50");
  EXPECT_EQ(store->Rec[kRingLast].Item[kAirTemperature].Valid, 0);  // 09:00 dropped out
}

TEST(RecordRing, AlignmentPutsTheNewestRecordAtItsAge) {
  TRoomDatPtr store = NewRoomDat();
  store->Rec[kRingLast - 1] = Rec(At(9, 30), 5);
  store->Rec[kRingLast] = Rec(At(9, 25), 4);
  AlignRingToNow(*store, At(10, 7, 30));
  const char* want[] = {"10:10", "10:05", "10:00", "09:55", "09:50",
                        "09:45", "09:40", "09:35", "09:30", "09:25"};
  for (int k = 0; k < 10; ++k) EXPECT_EQ(Clock(store->Rec[k]), want[k]) << k;
  for (int k = 0; k < 8; ++k) EXPECT_EQ(store->Rec[k].Item[kAirTemperature].Valid, 0) << k;
  EXPECT_EQ(store->Rec[8].Item[kAirTemperature].Avg, 5);
  EXPECT_EQ(store->Rec[10].Time, 0);
}

TEST(RecordRing, ARecordOfTheLastFiveMinutesStaysAtPositionOne) {
  // Exactly on a boundary: 10:05:00 is the end of the 10:05 period and the start of the next.
  for (TDateTime now : {At(10, 7, 30), At(10, 5)}) {
    Ring ring(6);
    ring[5] = Rec(At(10, 5));
    AlignRingToNow(ring, now);
    EXPECT_EQ(Clock(ring[0]), "10:10");
    EXPECT_EQ(ring[0].Item[kAirTemperature].Valid, 0);
    EXPECT_EQ(Clock(ring[1]), "10:05");
    EXPECT_EQ(ring[1].Item[kAirTemperature].Valid, 1);
  }
}

TEST(RecordRing, AlignmentMatchesTheStepwiseRuleOnRandomRings) {
  std::mt19937 rng(5);
  for (int round = 0; round < 500; ++round) {
    Ring ring(40);
    for (const TRecDat& r : RandomArrivals(rng, static_cast<int>(rng() % 60))) {
      InsertRecordByTime(ring, r);
    }
    const TDateTime now = At(0, 0) + static_cast<double>(rng() % 500) * kMinute;
    Ring literal = ring;
    AlignRingToNow(ring, now);
    AlignLiteral(literal, now);
    ExpectSameRing(ring, literal);
  }
}

TEST(RecordRing, AnEmptyRingStaysEmpty) {
  Ring ring(8);
  AlignRingToNow(ring, At(10, 0));
  FillRingGaps(ring);
  for (const TRecDat& r : ring) EXPECT_EQ(r.Time, 0);
}

TEST(RecordRing, EndOfThePeriodIsTheNextBoundary) {
  EXPECT_EQ(Clock(TRecDat{EndOfCurrentPeriod(At(10, 7, 30)), {}}), "10:10");
  EXPECT_EQ(Clock(TRecDat{EndOfCurrentPeriod(At(10, 5)), {}}), "10:10");
  EXPECT_EQ(FormatDateTime(kFmtRecordTime, EndOfCurrentPeriod(At(23, 58))), "2020/11/14 00:00");
}

}  // namespace
}  // namespace velk
