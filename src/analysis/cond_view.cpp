// SPDX-License-Identifier: MIT
#include "analysis/cond_view.h"

#include <charconv>
#include <string_view>

#include "analysis/cond_files.h"
#include "base/number_format.h"

namespace velk {

const char* const kCondCompareTexts[11] = {"[設定数値]", "日射",     "気温",     "湿度",
                                           "CO2濃度",    "飽差",     "結露温度", "水蒸気量",
                                           "地温",       "土壌水分", "風速"};
const char* const kCondJudgeTexts[4] = {"以上", "以下", "の範囲内", "の範囲外"};
const char* const kCondDurationTexts[2] = {"成立時", "[継続時間]以上、継続した時"};

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

TCondControls ShowCondEst(const TCondEst& cond) {
  TCondControls c;
  c.Name = cond.Name;
  for (int i = 0; i < kCondCount; ++i) {
    c.Target[i] = cond.Target[i];
    c.CndA[i] = cond.CndA[i];
    c.Judge[i] = cond.Judge[i];
    c.Low[i] = FormatFixed(static_cast<double>(cond.Value_L[i]), 1);
    c.High[i] = FormatFixed(static_cast<double>(cond.Value_H[i]), 1);
    c.On[i] = i == 0 || cond.Use[i];
  }
  c.CndB = cond.CndB;
  c.TimeVal = std::to_string(cond.TimeVal);
  return c;
}

TCondRules CondControlRules(const TCondControls& controls) {
  TCondRules r{};
  for (int i = 0; i < kCondCount; ++i) {
    const bool setValues = controls.CndA[i] == 0;
    const bool range = controls.Judge[i] == kJudgeInside || controls.Judge[i] == kJudgeOutside;
    r.LowVisible[i] = setValues;
    r.HighVisible[i] = setValues && range;
    r.Enabled[i] = i == 0 || controls.On[i];
  }
  r.TimeValVisible = controls.CndB == 1;
  return r;
}

std::vector<int> TakeCondEst(const TCondControls& controls, TCondEst& cond) {
  std::vector<int> warnings;
  cond.Name = controls.Name;
  for (int i = 0; i < kCondCount; ++i) {
    cond.Target[i] = controls.Target[i];
    cond.CndA[i] = controls.CndA[i];
    cond.Judge[i] = controls.Judge[i];
    float low, high;
    if (!ReadSingleText(controls.Low[i], low)) {
      warnings.push_back(i);
    } else {
      cond.Value_L[i] = low;
      if (ReadSingleText(controls.High[i], high)) {
        cond.Value_H[i] = high;
      } else {
        warnings.push_back(i);
      }
    }
    cond.Use[i] = i == 0 || controls.On[i];
  }
  cond.CndB = controls.CndB;
  int32_t minutes;
  if (TryParseInt(Trim(controls.TimeVal), minutes)) cond.TimeVal = static_cast<uint16_t>(minutes);
  return warnings;
}

}  // namespace velk
