// SPDX-License-Identifier: MIT
// Settings and results of the two forecast panels, the day-kind names of the reference days and
// the section "FutureEst" of the site file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/app_env.h"
#include "base/date_time.h"

namespace velk {

constexpr int kFuturePanels = 2;  // panel 0 is the upper one
constexpr int kFutureSeries = 366;

// Day kinds of the reference days that the forecast itself acts on.
enum TDayKind : int32_t {
  kDayAny = 0,
  kDayLatest = 1,
  kDayCultivationBegin = 6,
  kDayCultivationEnd = 9,
};

// One panel's question. Field names are the keys of "FutureEst".
struct TFutureEst {
  int32_t Target = 1;  // item index whose daily average is accumulated
  int32_t BEvent = kDayAny;
  TDateTime BDay = 0;  // begin reference day (day 1)
  int32_t MEvent = kDayLatest;
  TDateTime MDay = 0;  // end reference day
  uint16_t LaterDays = 0;
  double OverVal = 0;
  // Base of degree-days: when set, a daily value counts as max(0, value - Base).
  std::optional<double> Base;
};

// Both panels' defaults, with `now` as begin and end reference day.
void SetDefaultFutureEst(TDateTime now, TFutureEst (&est)[kFuturePanels]);

// One panel's answers; all zero when nothing could be computed.
struct TFutureResult {
  double PassValue;   // begin through end reference day
  double TotalValue;  // begin reference day through the newest daily record
  double LaterValue;  // on day LaterDays
  TDateTime ReachDay;
  TDateTime BaseDay;            // BDay without its time of day
  TDateTime EndDay;             // MDay without its time of day
  float Series[kFutureSeries];  // index i: accumulated value on BaseDay + i
  int DataDays;    // Series entries from the daily records (begin day through the newest)
  int SeriesDays;  // DataDays plus the projected entries that follow them
};

void ClearFutureResult(TFutureResult& result);

// Name of a day kind, or nullptr for a code without a name (0 included).
const char* DayKindName(int32_t code);
// "栽培開始日:2020年04月01日", or the date alone for a code without a name.
std::string RefDayText(int32_t kind, TDateTime day);

// The section "FutureEst" of `path`; other sections and keys are kept. False after a logged
// failure ("Future: 設定保存異常: " + path).
bool SaveFutureEst(const TAppEnv& env, const std::string& path,
                   const TFutureEst (&est)[kFuturePanels]);
// Defaults with env.Now() for the dates, then every key that reads. False after a logged failure
// ("Future: 設定読込異常: " + path); the values then stay as they were.
bool LoadFutureEst(const TAppEnv& env, const std::string& path, TFutureEst (&est)[kFuturePanels]);

// "2020/11/13 9:05:03"; a time of day of 0:00:00 gives the date alone.
std::string FutureDateText(TDateTime t);

}  // namespace velk
