// SPDX-License-Identifier: MIT
// What the condition view's controls show, and the rules that tie them to a TCondEst.
#pragma once

#include <string>
#include <vector>

#include "analysis/cond_est.h"

namespace velk {

// The fixed entries of the comparison, judgement and duration lists (position = field value).
extern const char* const kCondCompareTexts[11];
extern const char* const kCondJudgeTexts[4];
extern const char* const kCondDurationTexts[2];

// The state of the controls: list positions, edit texts and the ON buttons of conditions 2 and 3
// (On[0] is always true).
struct TCondControls {
  std::string Name;
  int Target[kCondCount] = {};
  int CndA[kCondCount] = {};
  int Judge[kCondCount] = {};
  std::string Low[kCondCount];
  std::string High[kCondCount];
  bool On[kCondCount] = {true, false, false};
  int CndB = 0;
  std::string TimeVal;
};

// The controls showing `cond`; set values with one decimal (25.27 shows as 25.3).
TCondControls ShowCondEst(const TCondEst& cond);

struct TCondRules {
  bool LowVisible[kCondCount];
  bool HighVisible[kCondCount];  // the high edit and its "~"
  bool Enabled[kCondCount];      // lists and value edits of the condition
  bool TimeValVisible;
};

// Set values are shown only for a comparison with "[設定数値]", the high one only for a range;
// the duration only for "[継続時間]以上、継続した時"; a condition that is OFF is disabled.
TCondRules CondControlRules(const TCondControls& controls);

// Reads the controls into `cond`. A value edit that does not read leaves the condition's values
// from it onward as they were (low before high) and puts the condition (0-based) into the
// returned list, once. An unreadable duration keeps the previous TimeVal silently.
std::vector<int> TakeCondEst(const TCondControls& controls, TCondEst& cond);

}  // namespace velk
