// SPDX-License-Identifier: MIT
// The state of the forecast view: both panels' settings and results for the selected room slot,
// and everything the view shows of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/future_est.h"
#include "base/app_env.h"
#include "store/stores.h"

namespace velk {

// What one panel's chart shows: the accumulation over the daily records, then its projection
// beyond the newest day (which starts at the last point of the first part).
struct TFutureChart {
  TDateTime AxisBegin = 0;
  TDateTime AxisEnd = 0;
  std::vector<double> DataX, DataY;
  std::vector<double> ProjX, ProjY;
};

// Result texts: the value with the target's decimals and unit suffix, or "--".
std::string FutureValueText(double value, const TFutureEst& est, const TRoomEst* room);
// "35日目 2020年05月05日", or "--".
std::string ReachDayText(const TFutureResult& result);
// The value in fixed-point notation with `dec` decimals.
std::string FixedText(double value, int dec);

class TFutureModel {
 public:
  TFutureModel(const TAppEnv& env, TStores& stores);

  // The settings of the last run (from RUDERADO.ini); every result is emptied.
  bool Load();
  bool Save() const;

  int Slot() const { return slot_; }
  // Holds the slot; true when it changed.
  bool SetSlot(int slot);

  TFutureEst& Est(int panel) { return est_[Checked(panel)]; }
  const TFutureEst& Est(int panel) const { return est_[Checked(panel)]; }
  const TFutureResult& Result(int panel) const { return result_[Checked(panel)]; }

  // Item names of the selected slot's ten items (empty for a slot outside 0 to 5).
  std::vector<std::string> TargetNames() const;
  // The configuration of the panel's target item, or nullptr.
  const TDataEst* TargetItem(int panel) const;

  void NormalizeRefDays();
  // The answer of the day selection dialog for the begin or the end reference day.
  void TakeBegin(int panel, TDateTime day, int32_t kind);
  void TakeEnd(int panel, TDateTime day, int32_t kind);

  // The date the picker shows for day N: BDay + N - 1, or nothing before the begin day.
  std::optional<TDateTime> DateForDayNumber(int panel, int number) const;
  // The day number of a picked date: whole days from BDay, plus 1.
  int DayNumberForDate(int panel, TDateTime day) const;
  // The earliest date the picker offers.
  TDateTime EarliestPickerDate(int panel) const { return DateOf(Est(panel).BDay); }

  // Rebuilds today's daily records when they are in use, brings the reference days of both
  // panels up to date, then computes the panel.
  void Compute(int panel);

  std::string BeginText(int panel) const;
  std::string EndText(int panel) const;
  std::string OverValText(int panel) const;
  std::string PassText(int panel) const;
  std::string LaterText(int panel) const;
  std::string ReachText(int panel) const;
  TFutureChart Chart(int panel) const;

 private:
  static int Checked(int panel);
  const TRoomEst* Room() const;

  const TAppEnv& env_;
  TStores& stores_;
  int slot_ = 1;
  TFutureEst est_[kFuturePanels];
  TFutureResult result_[kFuturePanels];
};

}  // namespace velk
