// SPDX-License-Identifier: MIT
// The series of the past records chart, computed from a room's store for one window: the window
// set-up, the fallback means of null points and the record walk in single- and multi-item mode.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/room_data.h"
#include "views/past_checks.h"

namespace velk {

// Series indices of the chart, in their fixed order.
enum TPastSeriesIndex : int {
  kSerAvg = 0,  // "平均"
  kSerMax,      // "最大"
  kSerMin,      // "最小"
  kSer3Avg,     // "3移動平均"
  kSer7Avg,     // "7移動平均"
  kSer15Avg,    // "15移動平均"
  kSerLine1,    // "系統１" .. "系統４": the items of multi-item mode
  kSerLine4 = kSerLine1 + 3,
  kSerAxis,    // "軸表示用": one point at y = 0 per drawn record
  kSerCandle,  // "candle"
  kSerMarkup,  // "MarkupBack"
  kSeriesCount,
};
inline constexpr int kLineSeriesCount = kSerAxis + 1;  // series 0 to 10 carry (x, y) points
inline constexpr int kMultiItemMax = 4;

// One time window of the chart: [Start, End], drawn from the ring (5-minute mode) or from the
// daily records.
struct TPastWindow {
  int Count = 0;
  double Start = 0;
  double End = 0;
  bool Daily = false;
  int32_t RecordOffset = 0;  // source position that corresponds to End
  const char* LabelFormat = "mm/dd hh:nn";
};

TPastWindow SetUpPastWindow(const TRoomDat& store, int span, double windowEnd);

// Calls fn(position, record) for every record the window draws, oldest first: positions
// offset + 2 × count down to offset − 1 inside the source, non-empty, timed inside the window.
// The two lowest positions hold the window end's own record when the newest data lie after noon
// (the rounded daily offset then points one date too far back) or when the offset is 0 (the live
// record); the time check keeps every other record out.
template <typename Fn>
void ForEachWindowRecord(const TRoomDat& store, const TPastWindow& w, Fn&& fn) {
  const TRecDat* source = w.Daily ? store.Day : store.Rec;
  const int size = w.Daily ? kDayCount : kRingSize;
  for (int64_t t = int64_t{2} * w.Count; t >= -1; --t) {
    const int64_t pos = w.RecordOffset + t;
    if (pos < 0 || pos >= size) continue;
    const TRecDat& rec = source[pos];
    // Time 0 marks an empty record, never a point of the window.
    if (rec.Time == 0 || !(w.Start <= rec.Time && rec.Time <= w.End)) continue;
    fn(static_cast<int>(pos), rec);
  }
}

// Points in ascending x (date values); y is NaN for a null point that leaves a gap. "最大" has no
// null points: it leaves them out, so its line joins the valid records on either side.
struct TPastSeries {
  std::vector<double> X;
  std::vector<double> Y;
  void Clear() {
    X.clear();
    Y.clear();
  }
  void Add(double x, double y) {
    X.push_back(x);
    Y.push_back(y);
  }
};

// A daily candle: the day's first and last average, its maximum and minimum. Up when the close is
// not below the previous candle's close (the first candle compares with its own open).
struct TCandle {
  double Time;
  double Open;
  double High;
  double Low;
  double Close;
  bool Up;
};

struct TPastChart {
  TPastWindow Window;
  bool Multi = false;
  // Multi-item mode: the kind drawn (-1: none) and the items of "系統１" to "系統４" (-1: none).
  int MultiKind = -1;
  std::array<int, kMultiItemMax> MultiItems{-1, -1, -1, -1};
  // Per item the mean of the valid averages of the window's records: the value a null point
  // stands for. No series paints it: null points are gaps, and "最大" skips them.
  std::array<double, kItemCount> FallbackMean{};
  std::array<TPastSeries, kLineSeriesCount> Series;
  std::vector<TCandle> Candles;
};

// Mean of the valid averages of `item` over `count` records from position `first` of a source of
// `size` records; NaN when none is valid.
double MeanOfValidAverages(const TRecDat* source, int size, int first, int count, int item);

// Fills every series of the window; the vectors keep their capacity between calls.
void BuildPastChart(const TRoomDat& store, const TPastChecks& checks, int span, double windowEnd,
                    TPastChart& out);

// A memo or event that falls inside a window.
struct TEventMarker {
  double Time;
  std::string Text;
};
// The slot's memos and events in [start, end], oldest first.
std::vector<TEventMarker> EventMarkersIn(const TRoomEventDat& events, double start, double end);

}  // namespace velk
