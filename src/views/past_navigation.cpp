// SPDX-License-Identifier: MIT
#include "views/past_navigation.h"

#include <algorithm>

#include "base/date_time.h"

namespace velk {

double WholeDay(double t) {
  return DateOf(t);
}

double CeilDay(double t) {
  const double day = DateOf(t);
  return ToMilliseconds(day) < ToMilliseconds(t) ? day + 1 : day;
}

void ResetToNewest(TPastView& view, const TRoomDat& store) {
  view.WindowEnd = 0;
  if (view.Slot >= 0 && view.Slot < kRoomSlots && store.LastTime != 0) {
    view.WindowEnd = WholeDay(store.LastTime) + 1;
  }
}

namespace {

// Keeps the window end between the first and the newest data; `firstLimit` is the moment that
// must not lie after it.
void ClampToData(TPastView& view, const TRoomDat& store, double firstLimit) {
  if (store.FirstTime > firstLimit) view.WindowEnd = WholeDay(store.FirstTime + view.Span) - 1;
  if (store.LastTime < view.WindowEnd) view.WindowEnd = WholeDay(store.LastTime) + 1;
}

}  // namespace

void StepWindow(TPastView& view, const TRoomDat& store, const TRoomInfo& info, int value) {
  switch (value) {
    case kStepFirst:
      view.WindowEnd = WholeDay(info.StartDate + view.Span);
      break;
    case kStepBack:
      view.WindowEnd -= view.Span;
      break;
    case kStepFront:
      view.WindowEnd += view.Span;
      break;
    case kStepNewest:
      view.WindowEnd = WholeDay(store.LastTime + 1);
      break;
    default:
      break;
  }
  ClampToData(view, store, view.WindowEnd);
}

double DaySelectionPreset(const TPastView& view) {
  return CeilDay(view.WindowEnd - view.Span / 2.0);
}

namespace {

// Window end for a window centred on the days [firstDay, endDay) (midnights), kept within the
// data but never so far towards the first data that the chosen days drop out.
void CentreOnDays(TPastView& view, const TRoomDat& store, double firstDay, double endDay) {
  view.WindowEnd = CeilDay(firstDay + view.Span / 2.0 + (endDay - firstDay - 1) / 2.0);
  if (store.FirstTime > view.WindowEnd - view.Span) {
    view.WindowEnd = std::max(WholeDay(store.FirstTime + view.Span) - 1, endDay);
  }
  if (store.LastTime < view.WindowEnd) view.WindowEnd = WholeDay(store.LastTime) + 1;
}

}  // namespace

void CentreOnDay(TPastView& view, const TRoomDat& store, double selected) {
  // Centred on the selected date, not its time of day, so the window holds the shaded day.
  view.MarkupDay = selected;
  view.MarkupEnd = 0;
  const double day = WholeDay(selected);
  CentreOnDays(view, store, day, day + 1);
}

int SpanForPeriod(double begin, double end) {
  const double days = std::max(CeilDay(end), WholeDay(begin) + 1) - WholeDay(begin);
  for (int span : {1, 7, 30}) {
    if (days <= span) return span;
  }
  return 120;
}

void CentreOnPeriod(TPastView& view, const TRoomDat& store, double begin, double end) {
  const double first = WholeDay(begin);
  const double last = std::max(CeilDay(end), first + 1);
  view.MarkupDay = first;
  view.MarkupEnd = last;
  CentreOnDays(view, store, first, last);
}

bool MarkupBand(const TPastView& view, double& from, double& to) {
  if (view.MarkupDay == 0) return false;
  from = WholeDay(view.MarkupDay);
  to = std::max(from + 1, view.MarkupEnd);
  return true;
}

TFollow FollowRoomSlot(TPastView& view, const TRoomDat* const (&stores)[kRoomSlots], int slot,
                       bool zoomed) {
  TFollow f;
  if (slot < 0 || slot >= kRoomSlots) return f;
  const TRoomDat& store = *stores[slot];
  if (slot != view.Slot) {
    view.Slot = slot;
    ResetToNewest(view, store);
    f.Captions = f.Redraw = true;
  }
  const double newest = store.Rec[0].Time;
  if (newest != view.SeenNewest || slot != view.SeenSlot) {
    // A window never placed (end 0, the data still loading at the first update) follows too.
    if ((store.LastTime <= view.WindowEnd || view.WindowEnd == 0) && !zoomed) {
      ResetToNewest(view, store);
      f.Captions = f.Redraw = true;
    }
  }
  view.SeenNewest = newest;
  view.SeenSlot = slot;
  return f;
}

}  // namespace velk
