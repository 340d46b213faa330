// SPDX-License-Identifier: MIT
#include "views/histogram.h"

#include <algorithm>
#include <cmath>

namespace velk {

THistogram::THistogram()
    : valuesStore_(std::make_unique<std::array<float, kHistSlots>>()), values_(*valuesStore_) {}

void THistogram::Clear() {
  size_ = 0;
  bins_.fill(THistBin{});
}

bool THistogram::Add(float value) {
  if (size_ >= kHistSlots) return false;
  values_[static_cast<size_t>(size_++)] = value;
  return true;
}

void THistogram::ComputeBins() {
  bins_.fill(THistBin{});
  bool any = false;
  float s = 0;
  float l = 0;
  for (int i = 0; i < size_; ++i) {
    const float v = values_[static_cast<size_t>(i)];
    if (std::isnan(v)) continue;
    if (!any || v < s) s = v;
    if (!any || v > l) l = v;
    any = true;
  }
  if (!any) return;
  // Single precision as the bins are stored. A span beyond the float range (values near ±3.4e38)
  // is worked out in double precision instead of giving an infinite width.
  const float wf = (s - l) / 30.0f;
  const bool wide = !std::isfinite(wf);
  const double w = wide ? (static_cast<double>(s) - l) / 30.0 : wf;
  if (w == 0) return;
  const float hf = wf / 2.0f;
  for (int i = 0; i < size_; ++i) {
    const float v = values_[static_cast<size_t>(i)];
    const double q = wide ? (v - static_cast<double>(l) + w / 2.0) / w : (v - l + hf) / wf;
    if (!(q >= 0) || q >= kHistBins + 1) continue;  // NaN has no bin
    const int index = std::min(static_cast<int>(q), kHistBins - 1);
    ++bins_[static_cast<size_t>(index)].Count;
  }
  for (int j = 0; j < kHistBins; ++j) {
    bins_[static_cast<size_t>(j)].Position =
        wide ? static_cast<float>(l + j * w) : l + static_cast<float>(j) * wf;
  }
}

void CollectHistogram(const TRoomDat& store, int item, THistKind kind, double start, double end,
                      THistogram& hist) {
  hist.Clear();
  for (const TRecDat& rec : store.Rec) {
    const TItemStat& cell = rec.Item[item];
    if (rec.Time == 0 || !(start <= rec.Time && rec.Time <= end) || !cell.Valid) continue;
    hist.Add(kind == THistKind::Max ? cell.Max : kind == THistKind::Min ? cell.Min : cell.Avg);
  }
}

}  // namespace velk
