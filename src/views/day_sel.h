// SPDX-License-Identifier: MIT
// The state of the day selection dialog and every rule that decides what it shows: the selected
// date, how it was chosen (the day kind), the calendar day, both spin values, which of the three
// buttons is down and the events found by a keyword.
#pragma once

#include <string>
#include <vector>

#include "base/date_time.h"
#include "store/stores.h"

namespace velk {

// Day kinds the dialog itself sets; callers may preset other codes.
inline constexpr int kDayKindAnyDay = 0;
inline constexpr int kDayKindLatest = 1;
inline constexpr int kDayKindFirst = 6;

inline constexpr int kDaySelResultCount = 50;
inline constexpr int kDaySelSpinMax = 365;  // both spin edits run 0 to 365

// Where a selection comes from.
enum class TDaySelSource {
  kPreset,    // the caller's date
  kStart,     // "開始日"
  kFinish,    // "現在／最新日"
  kAnyDay,    // "任意の日"
  kCalendar,  // a change of the calendar
  kResult,    // a click on a result line
  kByStart,   // a change of SEByStart
  kByNow,     // a change of SEByNow
};

// The three buttons of which one is down.
enum class TDaySelButton { kStart, kFinish, kAnyDay };

struct TDaySelModel {
  int Slot = 0;
  TDateTime SelectedDate = 0;
  int DayKind = kDayKindAnyDay;
  std::string Keyword;
  TEventBase Results[kDaySelResultCount];
  int ResultCount = 0;

  // What the controls show.
  TDateTime CalendarDate = 0;  // midnight of the calendar's day
  int ByStart = 0;             // SEByStart, days since the cultivation began
  int ByNow = 0;               // SEByNow, days before the newest data
  TDaySelButton Down = TDaySelButton::kAnyDay;
};

// The core of every selection: takes `date` and sets the controls other than the source from it.
void Select(TDaySelModel& model, const TStores& stores, TDaySelSource source, TDateTime date);

// The sources, each with the date and day kind of its row.
void PresetDate(TDaySelModel& model, const TStores& stores, TDateTime date);
void PickStart(TDaySelModel& model, const TStores& stores);
void PickFinish(TDaySelModel& model, const TStores& stores);
void PickAnyDay(TDaySelModel& model, const TStores& stores);
void ChangeCalendar(TDaySelModel& model, const TStores& stores, TDateTime day);
// False (nothing changes) for a line that holds no result.
bool PickResult(TDaySelModel& model, const TStores& stores, int line);
void ChangeByStart(TDaySelModel& model, const TStores& stores, int days);
void ChangeByNow(TDaySelModel& model, const TStores& stores, int days);

// Day kind = code, and the button that belongs to it goes down ("任意の日" for other codes).
void PresetDayKind(TDaySelModel& model, int code);

// Takes the keyword and lists the slot's events whose text contains it (all when it is empty),
// in list order, at most 50. A slot outside 0 to 5 keeps the previous results.
void Search(TDaySelModel& model, const TStores& stores, const std::string& keyword);
// One "yyyy/mm/dd | text" line per result.
std::vector<std::string> ResultLines(const TDaySelModel& model);

}  // namespace velk
