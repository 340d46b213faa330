// SPDX-License-Identifier: MIT
// The time window of the past records chart and how it moves: following new data, stepping by
// the span, jumping to the first and newest data, and centring on a chosen day.
#pragma once

#include <cstdint>

#include "store/room_data.h"

namespace velk {

// Step values of the navigation buttons.
inline constexpr int kStepFirst = -10;  // "開始日"
inline constexpr int kStepBack = -1;    // "◀"
inline constexpr int kStepFront = 1;    // "▶"
inline constexpr int kStepNewest = 10;  // "最新"

struct TPastView {
  int Slot = 0;
  int Span = 1;           // days: 1, 7, 30 or 120
  double WindowEnd = 0;   // the window is [WindowEnd - Span, WindowEnd]
  double MarkupDay = 0;   // the day shaded; 0 = none
  double MarkupEnd = 0;   // midnight that ends a shaded period of several days; 0 = one day
  double SeenNewest = 0;  // Time of ring position 0 at the previous update
  int SeenSlot = 0;       // slot at the previous update
};

// The midnight that begins the date of t, and the smallest midnight not earlier than t.
double WholeDay(double t);
double CeilDay(double t);

// Window end = the midnight after the newest data (0 without data or for a slot beyond 5).
void ResetToNewest(TPastView& view, const TRoomDat& store);

// Moves the window by a step value and keeps it between the first and the newest data.
void StepWindow(TPastView& view, const TRoomDat& store, const TRoomInfo& info, int value);

// The date the day selection starts from: the middle of the window, rounded up to a midnight.
double DaySelectionPreset(const TPastView& view);
// Centres the window on a chosen date (kept within the data) and shades that day.
void CentreOnDay(TPastView& view, const TRoomDat& store, double selected);

// The smallest of the four spans that holds the days of [begin, end] (120 when none does).
int SpanForPeriod(double begin, double end);
// Centres the window of the current span on the days of [begin, end] and shades them.
void CentreOnPeriod(TPastView& view, const TRoomDat& store, double begin, double end);

// The shaded band: [first midnight, end midnight]; false when nothing is shaded.
bool MarkupBand(const TPastView& view, double& from, double& to);

// What the once-a-second update asks of the form.
struct TFollow {
  bool Captions = false;  // set the item captions of the (new) slot
  bool Redraw = false;
};
// Takes a changed slot, follows new data while the window reaches the newest data and no zoom is
// active, and remembers what it saw. `stores` are the six room stores.
TFollow FollowRoomSlot(TPastView& view, const TRoomDat* const (&stores)[kRoomSlots], int slot,
                       bool zoomed);

}  // namespace velk
