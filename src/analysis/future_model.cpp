// SPDX-License-Identifier: MIT
#include "analysis/future_model.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "analysis/future_calc.h"
#include "base/date_format.h"
#include "base/number_format.h"
#include "settings/settings_files.h"
#include "store/record_stats.h"
#include "store/system_log.h"

namespace velk {

std::string FixedText(double value, int dec) {
  return FormatFixed(value, std::clamp(dec, 0, 20));
}

std::string FutureValueText(double value, const TFutureEst& est, const TRoomEst* room) {
  if (!(value > 0)) return "--";
  const bool known = room != nullptr && est.Target >= 0 && est.Target < kItemCount;
  const int dec = known ? room->Data[est.Target].Dec : 0;
  const std::string unit = known ? room->Data[est.Target].Unit : std::string();
  std::string out = FixedText(value, dec) + " " + unit + " d";
  if (est.Base) out += " (基準値 " + FormatFloat(*est.Base) + ")";
  return out;
}

std::string ReachDayText(const TFutureResult& result) {
  if (!(result.ReachDay > 0)) return "--";
  const int day = static_cast<int>(DateOf(result.ReachDay) - result.BaseDay) + 1;
  return std::to_string(day) + "日目 " + FormatDateTime(kFmtJpDate, result.ReachDay);
}

TFutureModel::TFutureModel(const TAppEnv& env, TStores& stores) : env_(env), stores_(stores) {
  SetDefaultFutureEst(env.Now(), est_);
  for (TFutureResult& r : result_) ClearFutureResult(r);
}

int TFutureModel::Checked(int panel) {
  if (panel < 0 || panel >= kFuturePanels) throw std::out_of_range("forecast panel");
  return panel;
}

bool TFutureModel::Load() {
  for (TFutureResult& r : result_) ClearFutureResult(r);
  if (!EnsureFolders(env_)) return false;
  return LoadFutureEst(env_, GetSiteEstPath(env_), est_);
}

bool TFutureModel::Save() const {
  if (!EnsureFolders(env_)) return false;
  return SaveFutureEst(env_, GetSiteEstPath(env_), est_);
}

bool TFutureModel::SetSlot(int slot) {
  if (slot == slot_) return false;
  slot_ = slot;
  return true;
}

const TRoomEst* TFutureModel::Room() const {
  return slot_ >= 0 && slot_ < kRoomSlots ? &stores_.RoomEst[slot_] : nullptr;
}

std::vector<std::string> TFutureModel::TargetNames() const {
  std::vector<std::string> names;
  if (const TRoomEst* room = Room()) {
    for (const TDataEst& d : room->Data) names.push_back(d.Name);
  }
  return names;
}

const TDataEst* TFutureModel::TargetItem(int panel) const {
  const int t = Est(panel).Target;
  const TRoomEst* room = Room();
  return room != nullptr && t >= 0 && t < kItemCount ? &room->Data[t] : nullptr;
}

void TFutureModel::NormalizeRefDays() {
  for (TFutureEst& e : est_) velk::NormalizeRefDays(e, slot_, stores_);
}

void TFutureModel::TakeBegin(int panel, TDateTime day, int32_t kind) {
  Est(panel).BDay = day;
  Est(panel).BEvent = kind;
  NormalizeRefDays();
}

void TFutureModel::TakeEnd(int panel, TDateTime day, int32_t kind) {
  Est(panel).MDay = day;
  Est(panel).MEvent = kind;
  NormalizeRefDays();
}

std::optional<TDateTime> TFutureModel::DateForDayNumber(int panel, int number) const {
  const TDateTime day = DateOf(Est(panel).BDay) + number - 1.0;
  if (day < EarliestPickerDate(panel) || day > kLastShownDay) return std::nullopt;
  return day;
}

int TFutureModel::DayNumberForDate(int panel, TDateTime day) const {
  return static_cast<int>(DateOf(day) - DateOf(Est(panel).BDay)) + 1;
}

void TFutureModel::Compute(int panel) {
  if (slot_ >= 0 && slot_ < kRoomSlots) {
    TRoomDat& dat = stores_.Dat(slot_);
    if (dat.Day[0].Time != 0.0 && DateOf(dat.Day[0].Time) == env_.Today()) BuildDailyRecords(dat);
  }
  // "最新日" is the latest day at the time of the computation, not when the view was shown.
  NormalizeRefDays();
  ComputeFuture(Est(panel), slot_, stores_, result_[Checked(panel)]);
}

std::string TFutureModel::BeginText(int panel) const {
  return RefDayText(Est(panel).BEvent, Est(panel).BDay);
}

std::string TFutureModel::EndText(int panel) const {
  return RefDayText(Est(panel).MEvent, Est(panel).MDay);
}

std::string TFutureModel::OverValText(int panel) const {
  const TDataEst* item = TargetItem(panel);
  return FixedText(Est(panel).OverVal, item ? item->Dec : 0);
}

std::string TFutureModel::PassText(int panel) const {
  return FutureValueText(Result(panel).PassValue, Est(panel), Room());
}

std::string TFutureModel::LaterText(int panel) const {
  return FutureValueText(Result(panel).LaterValue, Est(panel), Room());
}

std::string TFutureModel::ReachText(int panel) const {
  return ReachDayText(Result(panel));
}

TFutureChart TFutureModel::Chart(int panel) const {
  const TFutureResult& r = Result(panel);
  TFutureChart c;
  c.AxisBegin = r.BaseDay;
  // The axis reaches the end reference day, or the last projected day beyond it.
  const int endIndex = static_cast<int>(r.EndDay - r.BaseDay);
  int last = endIndex;
  if (r.SeriesDays > r.DataDays) last = std::max(last, r.SeriesDays - 1);
  last = std::min(last, kFutureSeries - 1);
  c.AxisEnd = r.BaseDay + std::max(last, 0);
  for (int i = 0; i <= last; ++i) {
    if (!(r.Series[i] > 0)) continue;
    const bool projected = i >= r.DataDays;
    // The projection joins the last day with data so that the line runs on.
    if (projected && c.ProjX.empty() && !c.DataX.empty()) {
      c.ProjX.push_back(c.DataX.back());
      c.ProjY.push_back(c.DataY.back());
    }
    (projected ? c.ProjX : c.DataX).push_back(r.BaseDay + i);
    (projected ? c.ProjY : c.DataY).push_back(r.Series[i]);
  }
  return c;
}

}  // namespace velk
