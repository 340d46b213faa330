// SPDX-License-Identifier: MIT
// The histogram of one item over the chart's window: up to 120 days of 5-minute values sorted
// into 30 equal bins, the largest value's bin first.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "store/room_data.h"

namespace velk {

inline constexpr int kHistSlots = 34'560;  // 120 days × 288 five-minute records
inline constexpr int kHistBins = 30;

struct THistBin {
  float Position = 0;  // the value the bin stands for
  int32_t Count = 0;
};

class THistogram {
 public:
  THistogram();
  // All slots unused, every bin at position 0 with count 0.
  void Clear();
  // Appends a value; false (and the value dropped) once all slots are used.
  bool Add(float value);
  // Sorts the stored values into the bins. Bin j stands for largest + j × w with the negative
  // width w = (smallest - largest) / 30; the smallest values, half a width around largest + 30 w,
  // have no bin of their own and are counted in bin 29. With fewer than two distinct values every
  // bin stays at position 0 with count 0.
  void ComputeBins();

  int Size() const { return size_; }
  float Value(int i) const { return values_[static_cast<size_t>(i)]; }
  const std::array<THistBin, kHistBins>& Bins() const { return bins_; }

 private:
  std::unique_ptr<std::array<float, kHistSlots>> valuesStore_;
  std::array<float, kHistSlots>& values_;
  int size_ = 0;
  std::array<THistBin, kHistBins> bins_{};
};

// Which value of a record the histogram collects.
enum class THistKind { Avg, Max, Min };

// Clears the histogram and adds the chosen value of every ring record in [start, end] whose cell
// of the item is valid, newest first (so the oldest are the ones dropped when it overflows).
void CollectHistogram(const TRoomDat& store, int item, THistKind kind, double start, double end,
                      THistogram& hist);

}  // namespace velk
