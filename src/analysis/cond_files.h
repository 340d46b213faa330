// SPDX-License-Identifier: MIT
// Condition settings in the section "ConditionEst" of an INI file (a .QCS file or RUDERADO.ini)
// and the result text file of a search.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/cond_est.h"
#include "base/app_env.h"

namespace velk {

// A decimal number that a 32-bit float holds, blanks around it allowed; a value just beyond the
// largest float (as its 15-digit text is) reads as the largest float.
bool ReadSingleText(std::string_view text, float& out);

// Writes every field into the section, keeping the rest of the file. False after a logged failure.
bool SaveCondEst(const TAppEnv& env, const std::string& path, const TCondEst& cond);
// Every field from the file, each absent or unreadable key taking its default (not the value
// held before). A missing file gives the defaults. False after a logged failure, `cond` untouched.
bool LoadCondEst(const TAppEnv& env, const std::string& path, TCondEst& cond);
// The texts of one condition as its controls show them.
struct TCondShownTexts {
  std::string Item;
  std::string Compare;
  std::string Judge;
  std::string Low;
  std::string High;
};

// Everything the result file records, as the view shows it when saving.
struct TCondShown {
  TCondShownTexts Cond[kCondCount];
  std::string Duration;  // the duration list's text
  std::string TimeVal;   // the duration edit's text
};

// The lines of the result file: the conditions (on/off from the held settings, the rest as
// shown), then the result lines.
std::vector<std::string> CondResultFileLines(const TCondEst& held, const TCondShown& shown,
                                             const std::vector<std::string>& resultLines);
// Replaces the file with the lines in code page 932, each ended by CR LF. False after a logged
// failure.
bool SaveCondResults(const TAppEnv& env, const std::string& path,
                     const std::vector<std::string>& lines);

}  // namespace velk
