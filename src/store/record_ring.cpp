// SPDX-License-Identifier: MIT
#include "store/record_ring.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace velk {
namespace {

constexpr int64_t kMsPerPeriod = 5 * 60'000;

int LastOf(std::span<TRecDat> ring) {
  return static_cast<int>(ring.size()) - 1;
}

// Time of the n-th grid record before a record stamped `base`.
double GridTime(double base, int64_t n) {
  return base - static_cast<double>(n) * kPeriodDays;
}

void SetGridRecord(TRecDat& r, double time) {
  ClearRecord(r);
  r.Time = time;
}

// Moves positions 1..p one place down (p to p-1, 1 to 0) where positions 1..q-1 are empty.
void ShiftDownThrough(std::span<TRecDat> ring, int q, int p) {
  if (q <= 1) {
    std::copy(ring.begin() + 1, ring.begin() + p + 1, ring.begin());
    return;
  }
  // The empty positions below q only pass an empty record along; position 0 receives one.
  ring[0] = ring[1];
  std::copy(ring.begin() + q, ring.begin() + p + 1, ring.begin() + q - 1);
}

// The far-end scan as such, for rings that are not one sorted run.
bool InsertByScan(std::span<TRecDat> ring, const TRecDat& record) {
  for (int p = LastOf(ring); p >= 1; --p) {
    if (ring[p].Time == 0) {
      ring[p] = record;
      return true;
    }
    if (ring[p].Time > record.Time) {
      std::copy(ring.begin() + 1, ring.begin() + p + 1, ring.begin());
      ring[p] = record;
      return true;
    }
  }
  return false;
}

}  // namespace

int64_t PeriodsBetween(TDateTime a, TDateTime b) {
  return MinutesBetween(a, b) / 5;
}

TDateTime EndOfCurrentPeriod(TDateTime now) {
  const TDateTime today = DateOf(now);
  const int64_t msOfDay = ToMilliseconds(now) - ToMilliseconds(today);
  return today + static_cast<double>(msOfDay / kMsPerPeriod + 1) / 288.0;
}

bool InsertRecordByTime(std::span<TRecDat> ring, const TRecDat& record, int& runStart) {
  const int last = LastOf(ring);
  if (last < 1) return false;
  // Lowest filled position q of the run q..last (last + 1 when the ring is empty): the caller's
  // hint when it still fits. Without one the shape is checked exactly, since the fast path
  // below holds only for empty positions 1..q-1 followed by one run whose times fall as
  // positions rise; any other ring takes the plain scan.
  int q = runStart;
  const bool hintFits = q >= 1 && q <= last + 1 && (q == 1 || ring[q - 1].Time == 0) &&
                        (q > last ? ring[last].Time == 0 : ring[q].Time != 0);
  if (!hintFits) {
    q = 1;
    while (q <= last && ring[q].Time == 0) ++q;
    for (int p = q; p < last; ++p) {
      if (ring[p + 1].Time == 0 || ring[p + 1].Time > ring[p].Time) {
        runStart = 0;
        return InsertByScan(ring, record);
      }
    }
  }

  // The scan from the far end passes every record not later than the new one; those form the
  // older part k+1..last of the run. In-order input stops at once at q - 1.
  int k = q - 1;
  if (q <= last && ring[q].Time > record.Time) {
    int lo = q;
    int hi = last + 1;
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      if (ring[mid].Time > record.Time) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    k = lo - 1;
  }
  if (k < q) {
    runStart = q == 1 ? 1 : q - 1;
    if (q == 1) return false;  // full ring and nothing later: dropped
    ring[q - 1] = record;
    return true;
  }
  ShiftDownThrough(ring, q, k);
  ring[k] = record;
  runStart = q == 1 ? 1 : q - 1;
  return true;
}

bool InsertRecordByTime(std::span<TRecDat> ring, const TRecDat& record) {
  int runStart = 0;
  return InsertRecordByTime(ring, record, runStart);
}

bool InsertRecordByTime(TRoomDat& store, const TRecDat& record) {
  return InsertRecordByTime(std::span<TRecDat>(store.Rec), record);
}

void MoveRecordBlock(std::span<TRecDat> ring, int first, int count, int shift) {
  const int64_t size = static_cast<int64_t>(ring.size());
  if (first < 0 || first >= size || count < 0) {
    throw std::out_of_range("MoveRecordBlock: block outside the ring");
  }
  if (shift == 0 || count == 0) return;
  const int64_t end = std::min<int64_t>(static_cast<int64_t>(first) + count, size);
  if (shift > 0) {
    if (first - static_cast<int64_t>(shift) < 0) {
      throw std::out_of_range("MoveRecordBlock: move below position 0");
    }
    std::copy(ring.begin() + first, ring.begin() + end, ring.begin() + (first - shift));
    for (int64_t p = std::max<int64_t>(first, end - shift); p < end; ++p) ClearRecord(ring[p]);
    return;
  }
  const int64_t back = -static_cast<int64_t>(shift);
  const int64_t moveEnd = std::min(end, size - back);
  if (moveEnd > first) {
    std::copy_backward(ring.begin() + first, ring.begin() + moveEnd,
                       ring.begin() + (moveEnd + back));
  }
  for (int64_t p = first; p < std::min(first + back, end); ++p) ClearRecord(ring[p]);
}

void MoveRecordBlock(TRoomDat& store, int first, int count, int shift) {
  MoveRecordBlock(std::span<TRecDat>(store.Rec), first, count, shift);
}

void AlignRingToNow(std::span<TRecDat> ring, TDateTime now) {
  const int size = static_cast<int>(ring.size());
  int q = 0;
  while (q < size && ring[q].Time == 0) ++q;
  if (q == size) return;
  // A newest record less than one period old still belongs at position 1: position 0 is the
  // running period, which the live record takes over. So does one stamped after `now` (a clock
  // set back): its distance counts as no age, not as an age.
  const int64_t periods = ring[q].Time > now ? 0 : PeriodsBetween(ring[q].Time, now);
  const int steps = static_cast<int>(std::clamp<int64_t>(periods, 1, size));
  MoveRecordBlock(ring, q, size - q, q - steps);
  const TDateTime e = EndOfCurrentPeriod(now);
  for (int r = 0; r < steps && r < size; ++r) SetGridRecord(ring[r], GridTime(e, r));
  FillRingGaps(ring);
}

void AlignRingToNow(TRoomDat& store, TDateTime now) {
  AlignRingToNow(std::span<TRecDat>(store.Rec), now);
}

void FillRingGaps(std::span<TRecDat> ring) {
  const int size = static_cast<int>(ring.size());
  const int last = size - 1;
  const int lastScan = size - 3;  // the scan examines s up to the third-last position
  if (lastScan < 0) return;

  // Planning pass, read-only. Every gap fill moves the whole tail, so the ring at any moment
  // is the finished part followed by the untouched sources shifted by the grid records inserted
  // so far. A fill starts a new shifted segment of sources at `src` with its grid run before it.
  struct Fill {
    int src;        // first source position of the segment
    int64_t dst;    // position of the first grid record
    int64_t count;  // grid records (clipped to the ring)
    int64_t shift;  // shift of the segment's sources
    double base;    // time of the record before the grid run
  };
  std::vector<Fill> fills;
  int64_t shift = 0;
  int64_t prevPos = -1;
  double prevTime = 0;
  bool scanning = true;
  for (int i = 0; i < size && scanning; ++i) {
    if (i + shift > last) break;
    if (ring[i].Time == 0) continue;
    for (;;) {
      const int64_t pos = i + shift;
      if (prevPos >= 0 && prevPos > lastScan) {
        scanning = false;
        break;
      }
      // A record newer than the one before it opens no gap: the absolute distance would grow
      // with every grid record put before it.
      const int64_t f = prevPos < 0 || ring[i].Time > prevTime
                            ? 0
                            : PeriodsBetween(ring[i].Time, prevTime) - (pos - prevPos);
      if (f <= 0) {
        prevPos = pos;
        prevTime = ring[i].Time;
        break;
      }
      const int64_t count = std::min<int64_t>(f, last + 1 - pos);
      shift += f;
      fills.push_back({i, pos, count, shift, prevTime});
      if (pos + f > last) {
        scanning = false;  // the grid reaches the end; the record and all older ones drop out
        break;
      }
      // Grid records lie one period apart; only the last one can open a further gap, against
      // the record that now follows it.
      prevPos = pos + f - 1;
      prevTime = GridTime(prevTime, f);
    }
  }

  // Writing pass, from the far end so that each source is read before anything overwrites it.
  for (size_t k = fills.size(); k-- > 0;) {
    const Fill& fill = fills[k];
    const int64_t srcEnd = k + 1 < fills.size() ? fills[k + 1].src : size;
    const int64_t keptEnd = std::min<int64_t>(srcEnd, size - std::min<int64_t>(fill.shift, size));
    if (keptEnd > fill.src) {
      std::copy_backward(ring.begin() + fill.src, ring.begin() + keptEnd,
                         ring.begin() + (keptEnd + fill.shift));
    }
    for (int64_t r = 0; r < fill.count; ++r) {
      SetGridRecord(ring[fill.dst + r], GridTime(fill.base, r + 1));
    }
  }
}

void FillRingGaps(TRoomDat& store) {
  FillRingGaps(std::span<TRecDat>(store.Rec));
}

}  // namespace velk
