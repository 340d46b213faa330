// SPDX-License-Identifier: MIT
#include "analysis/future_calc.h"

#include <algorithm>
#include <cmath>

namespace velk {
namespace {

bool IsSlot(int slot) {
  return slot >= 0 && slot < kRoomSlots;
}

bool IsTarget(int target) {
  return target >= 0 && target < kItemCount;
}

// A daily value as it counts: the plain value, or its excess over the base.
double Contribution(float avg, std::optional<double> base) {
  const double v = avg;
  return base ? std::max(0.0, v - *base) : v;
}

// Smallest daily position that holds a record of the date of `day`, or -1.
int FindDay(const TRoomDat& dat, TDateTime day) {
  const TDateTime date = DateOf(day);
  for (int i = 0; i < kDayCount; ++i) {
    if (dat.Day[i].Time != 0.0 && DateOf(dat.Day[i].Time) == date) return i;
  }
  return -1;
}

// `value` rounded to `dec` decimals, halves to even.
double RoundHalfEven(double value, int dec) {
  if (dec > 15) return value;
  const double scale = std::pow(10.0, dec);
  const double scaled = value * scale;
  const double lower = std::floor(scaled);
  const double diff = scaled - lower;
  double r;
  if (diff > 0.5) {
    r = lower + 1;
  } else if (diff < 0.5) {
    r = lower;
  } else {
    r = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
  }
  return r / scale;
}

}  // namespace

void NormalizeRefDays(TFutureEst& est, int slot, const TStores& stores) {
  if (est.BEvent == kDayLatest || est.BEvent == kDayCultivationEnd) est.BEvent = kDayAny;
  if (est.MEvent == kDayCultivationBegin) est.MEvent = kDayAny;
  if (!IsSlot(slot)) return;
  if (est.BEvent == kDayCultivationBegin) est.BDay = DateOf(stores.RoomEst[slot].BeginDate);
  if (est.MEvent == kDayLatest || est.MEvent == kDayCultivationEnd)
    est.MDay = DateOf(stores.RoomDat[slot]->LastTime);
}

double SumDailyBetween(int target, TDateTime first, TDateTime last, int slot, const TStores& stores,
                       std::optional<double> base) {
  if (!IsSlot(slot) || !IsTarget(target)) return -1;
  const TRoomDat& dat = *stores.RoomDat[slot];
  if (first < DateOf(dat.FirstTime) || DateOf(dat.LastTime) < last || first > last) return -1;
  const int b = FindDay(dat, first);
  if (b < 0) return -1;
  const TDateTime lastDate = DateOf(last);
  double sum = 0;
  for (int c = b; c >= 0; --c) {
    const TRecDat& d = dat.Day[c];
    if (d.Time == 0.0 || !d.Item[target].Valid) continue;
    sum += Contribution(d.Item[target].Avg, base);
    if (DateOf(d.Time) == lastDate) return sum;
  }
  return -1;
}

void ComputeFuture(const TFutureEst& est, int slot, const TStores& stores, TFutureResult& r) {
  ClearFutureResult(r);
  const int target = est.Target;
  if (!IsTarget(target) || est.BDay == 0.0 || est.MDay == 0.0 || !IsSlot(slot)) return;
  r.BaseDay = DateOf(est.BDay);

  const TRoomDat& dat = *stores.RoomDat[slot];
  if (est.BDay < DateOf(dat.FirstTime) || DateOf(dat.LastTime) < est.BDay ||
      dat.FirstTime > dat.LastTime)
    return;
  const int b = FindDay(dat, est.BDay);
  if (b < 0) return;
  r.EndDay = DateOf(est.MDay);

  // From the begin day toward the newest day; days without a value count but add nothing.
  bool passFound = false;
  int n = 0;
  for (int c = b; c >= 0; --c) {
    const TRecDat& d = dat.Day[c];
    if (d.Time != 0.0 && d.Item[target].Valid) {
      r.TotalValue += Contribution(d.Item[target].Avg, est.Base);
      if (DateOf(d.Time) == r.EndDay) {
        r.PassValue = r.TotalValue;
        passFound = true;
      }
    }
    r.Series[n++] = static_cast<float>(r.TotalValue);
  }
  r.DataDays = n;
  const double a = r.TotalValue / n;  // average daily increase

  // Projections start from the end reference day, so they need its value.
  const int later = est.LaterDays;
  if (later > 0) {
    const TDateTime targetDay = r.BaseDay + later - 1;
    if (targetDay <= r.EndDay) {
      r.LaterValue = SumDailyBetween(target, r.BaseDay, targetDay, slot, stores, est.Base);
    } else if (passFound) {
      r.LaterValue = r.PassValue + (targetDay - r.EndDay) * a;
    }
  }

  const double v = est.OverVal;
  double t = 0;  // whole days from the end reference day to ReachDay
  if (v > r.TotalValue) {
    // An accumulation that does not grow never gets there; nor does one past the last date.
    if (passFound && a > 0) {
      t = std::trunc((v - r.PassValue) / a);
      if (r.EndDay + t <= kLastShownDay) {
        r.ReachDay = r.EndDay + t;
      } else {
        t = 0;
      }
    }
  } else {
    const int dec = IsSlot(slot) ? stores.RoomEst[slot].Data[target].Dec : 0;
    // Only the days with data: the entries beyond are not values of any day yet.
    for (int j = 0; j < n; ++j) {
      if (RoundHalfEven(r.Series[j], dec) >= v) {
        r.ReachDay = r.BaseDay + j;
        break;
      }
    }
  }

  // The projection beyond the newest day, as far as the questions reach; the first projected
  // day repeats TotalValue.
  double m = std::max<double>(later, t);
  if (n + m > kDayCount) m = kDayCount - n;
  for (int j = 0; j < m && n < kDayCount; ++j) {
    r.Series[n++] = static_cast<float>(r.TotalValue + j * a);
  }
  r.SeriesDays = n;
}

}  // namespace velk
