// SPDX-License-Identifier: MIT
#include "views/past_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velk {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Conversion of a position difference to an integer without overflow for absurd times.
int32_t ClampToInt(double v) {
  if (!(v > -2.0e9)) return v != v ? 0 : -2'000'000'000;
  if (v > 2.0e9) return 2'000'000'000;
  return static_cast<int32_t>(v);
}

double CellValue(const TItemStat& cell, int kind) {
  switch (kind) {
    case kKindMax:
      return cell.Max;
    case kKindMin:
      return cell.Min;
    default:
      return cell.Avg;
  }
}

struct TWalk {
  const TRecDat* Source;
  int Size;

  // Average, maximum or minimum of a record's cell; NaN (a null point) otherwise.
  double Statistic(const TRecDat& rec, int item, int kind) const {
    const TItemStat& cell = rec.Item[item];
    return cell.Valid ? CellValue(cell, kind) : kNaN;
  }
  // Moving average over the daily record at `pos` and the n - 1 earlier dates holding data.
  double Moving(int pos, int item, int kind) const {
    const int n = kMovingAverageDays[kind - kKind3Avg];
    return MeanOfValidAverages(Source, Size, pos, n, item);
  }
};

}  // namespace

TPastWindow SetUpPastWindow(const TRoomDat& store, int span, double windowEnd) {
  TPastWindow w;
  w.Daily = IsDailySpan(span);
  w.Count = w.Daily ? span : span * 288;
  w.Start = windowEnd - span;
  w.End = windowEnd;
  w.LabelFormat = w.Daily ? "mm/dd" : "mm/dd hh:nn";
  const double behind = store.LastTime - windowEnd;
  // 5-minute positions cut towards zero; daily positions rounded, halves to the even neighbour.
  w.RecordOffset =
      w.Daily ? ClampToInt(std::nearbyint(behind)) : ClampToInt(std::trunc(behind * 288));
  return w;
}

double MeanOfValidAverages(const TRecDat* source, int size, int first, int count, int item) {
  double sum = 0;
  int n = 0;
  const int last = static_cast<int>(std::min<int64_t>(int64_t{first} + count, size));
  for (int p = std::max(first, 0); p < last; ++p) {
    const TItemStat& cell = source[p].Item[item];
    if (cell.Valid) {
      sum += cell.Avg;
      ++n;
    }
  }
  return n > 0 ? sum / n : kNaN;
}

void BuildPastChart(const TRoomDat& store, const TPastChecks& checks, int span, double windowEnd,
                    TPastChart& out) {
  for (TPastSeries& s : out.Series) s.Clear();
  out.Candles.clear();
  out.Window = SetUpPastWindow(store, span, windowEnd);
  const TPastWindow& w = out.Window;
  const TRecDat* source = w.Daily ? store.Day : store.Rec;
  const int size = w.Daily ? kDayCount : kRingSize;

  const int first = std::max(w.RecordOffset, 0);
  for (int i = 0; i < kItemCount; ++i) {
    out.FallbackMean[i] = MeanOfValidAverages(source, size, first, w.Count - 1, i);
  }

  out.Multi = CheckedItemCount(checks) >= 2;
  out.MultiKind = -1;
  out.MultiItems.fill(-1);
  int single = -1;
  if (out.Multi) {
    for (int k = kKindAvg; k <= kKind15Avg; ++k) {
      if (checks.Kind[k]) out.MultiKind = k;
    }
    int n = 0;
    for (int i = 0; i < kItemCount && n < kMultiItemMax; ++i) {
      if (checks.Item[i]) out.MultiItems[n++] = i;
    }
  } else {
    single = FirstCheckedItem(checks);
  }

  const TWalk walk{source, size};
  ForEachWindowRecord(store, w, [&](int pos, const TRecDat& rec) {
    out.Series[kSerAxis].Add(rec.Time, 0);
    if (out.Multi) {
      const bool moving = out.MultiKind >= kKind3Avg;
      if (out.MultiKind < 0 || (moving && !w.Daily)) return;
      for (int k = 0; k < kMultiItemMax && out.MultiItems[k] >= 0; ++k) {
        const int item = out.MultiItems[k];
        const double y = moving ? walk.Moving(pos, item, out.MultiKind)
                                : walk.Statistic(rec, item, out.MultiKind);
        out.Series[kSerLine1 + k].Add(rec.Time, y);
      }
      return;
    }
    if (single < 0) return;
    for (int k = kKindAvg; k <= kKindMin; ++k) {
      if (!checks.Kind[k]) continue;
      const double y = walk.Statistic(rec, single, k);
      // "最大" skips its null points, so its line joins the valid neighbours; the others break.
      if (k == kKindMax && std::isnan(y)) continue;
      out.Series[kSerAvg + k].Add(rec.Time, y);
    }
    if (!w.Daily) return;
    for (int k = kKind3Avg; k <= kKind15Avg; ++k) {
      if (checks.Kind[k]) out.Series[kSerAvg + k].Add(rec.Time, walk.Moving(pos, single, k));
    }
    const TItemStat& cell = rec.Item[single];
    if (checks.Kind[kKindCandle] && cell.Valid) {
      const TDayEdge& edge = store.Edge[pos];
      TCandle c{rec.Time, edge.Start[single], cell.Max, cell.Min, edge.End[single], true};
      const double previous = out.Candles.empty() ? c.Open : out.Candles.back().Close;
      c.Up = c.Close >= previous;
      out.Candles.push_back(c);
    }
  });
}

std::vector<TEventMarker> EventMarkersIn(const TRoomEventDat& events, double start, double end) {
  std::vector<TEventMarker> markers;
  for (const TEventBase& e : events.Event) {
    if (e.Date != 0 && start <= e.Date && e.Date <= end) markers.push_back({e.Date, e.Text});
  }
  std::stable_sort(markers.begin(), markers.end(),
                   [](const TEventMarker& a, const TEventMarker& b) { return a.Time < b.Time; });
  return markers;
}

}  // namespace velk
