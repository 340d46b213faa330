// SPDX-License-Identifier: MIT
#include "views/day_sel.h"

#include <algorithm>
#include <cstdint>

#include "views/event_line.h"

namespace velk {
namespace {

bool ValidSlot(int slot) {
  return slot >= 0 && slot < kRoomSlots;
}

// The slot's dates; 0 for a slot outside the stores.
TDateTime StartDateOf(const TDaySelModel& m, const TStores& s) {
  return ValidSlot(m.Slot) ? s.RoomInfo[m.Slot].StartDate : 0;
}
TDateTime LastDateOf(const TDaySelModel& m, const TStores& s) {
  return ValidSlot(m.Slot) ? s.RoomInfo[m.Slot].LastDate : 0;
}
TDateTime BeginDateOf(const TDaySelModel& m, const TStores& s) {
  return ValidSlot(m.Slot) ? s.RoomEst[m.Slot].BeginDate : 0;
}

// Whole days from `from` to `to`, cut towards zero, as the spin edit can show them. Counted in
// whole milliseconds so that a date built as `from` + N days gives N again.
int SpinDays(TDateTime from, TDateTime to) {
  const int64_t days = (ToMilliseconds(to) - ToMilliseconds(from)) / kMsPerDay;
  return static_cast<int>(std::clamp<int64_t>(days, 0, kDaySelSpinMax));
}

}  // namespace

void Select(TDaySelModel& m, const TStores& s, TDaySelSource source, TDateTime date) {
  m.SelectedDate = date;
  if (source != TDaySelSource::kCalendar) m.CalendarDate = DateOf(date);
  if (source != TDaySelSource::kByStart) m.ByStart = SpinDays(BeginDateOf(m, s), date);
  if (source != TDaySelSource::kByNow) m.ByNow = SpinDays(date, LastDateOf(m, s));
  switch (source) {
    case TDaySelSource::kStart:
      m.Down = TDaySelButton::kStart;
      break;
    case TDaySelSource::kFinish:
      m.Down = TDaySelButton::kFinish;
      break;
    default:
      m.Down = TDaySelButton::kAnyDay;
      break;
  }
}

void PresetDate(TDaySelModel& m, const TStores& s, TDateTime date) {
  Select(m, s, TDaySelSource::kPreset, date);
}

void PickStart(TDaySelModel& m, const TStores& s) {
  m.DayKind = kDayKindFirst;
  Select(m, s, TDaySelSource::kStart, StartDateOf(m, s));
}

void PickFinish(TDaySelModel& m, const TStores& s) {
  m.DayKind = kDayKindLatest;
  Select(m, s, TDaySelSource::kFinish, LastDateOf(m, s));
}

void PickAnyDay(TDaySelModel& m, const TStores& s) {
  m.DayKind = kDayKindAnyDay;
  Select(m, s, TDaySelSource::kAnyDay, m.CalendarDate);
}

void ChangeCalendar(TDaySelModel& m, const TStores& s, TDateTime day) {
  m.DayKind = kDayKindAnyDay;
  m.CalendarDate = DateOf(day);
  Select(m, s, TDaySelSource::kCalendar, m.CalendarDate);
}

bool PickResult(TDaySelModel& m, const TStores& s, int line) {
  if (line < 0 || line >= m.ResultCount) return false;
  Select(m, s, TDaySelSource::kResult, m.Results[line].Date);
  return true;
}

void ChangeByStart(TDaySelModel& m, const TStores& s, int days) {
  m.ByStart = days;
  Select(m, s, TDaySelSource::kByStart, BeginDateOf(m, s) + days);
}

void ChangeByNow(TDaySelModel& m, const TStores& s, int days) {
  m.ByNow = days;
  Select(m, s, TDaySelSource::kByNow, LastDateOf(m, s) - days);
}

void PresetDayKind(TDaySelModel& m, int code) {
  m.DayKind = code;
  m.Down = code == kDayKindFirst    ? TDaySelButton::kStart
           : code == kDayKindLatest ? TDaySelButton::kFinish
                                    : TDaySelButton::kAnyDay;
}

void Search(TDaySelModel& m, const TStores& s, const std::string& keyword) {
  m.Keyword = keyword;
  if (!ValidSlot(m.Slot)) return;
  for (TEventBase& r : m.Results) r = TEventBase{};
  m.ResultCount = 0;
  for (const TEventBase& e : s.RoomEvent[m.Slot].Event) {
    if (m.ResultCount == kDaySelResultCount) break;
    if (e.Date == 0) continue;
    if (!keyword.empty() && e.Text.find(keyword) == std::string::npos) continue;
    m.Results[m.ResultCount++] = e;
  }
}

std::vector<std::string> ResultLines(const TDaySelModel& m) {
  std::vector<std::string> lines;
  lines.reserve(m.ResultCount);
  for (int i = 0; i < m.ResultCount; ++i) lines.push_back(EventListLine(m.Results[i]));
  return lines;
}

}  // namespace velk
