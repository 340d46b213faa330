// SPDX-License-Identifier: MIT
// The settings of a condition search and the periods it found.
#pragma once

#include <cstdint>
#include <string>

#include "base/date_time.h"

namespace velk {

constexpr int kCondCount = 3;
constexpr int kCondResultCount = 50;

// Judge: how the target item's average is compared with the set values or the compared item.
enum TCondJudge : int32_t {
  kJudgeAbove = 0,    // "以上": x > L
  kJudgeBelow = 1,    // "以下": x < L
  kJudgeInside = 2,   // "の範囲内": L <= x <= H
  kJudgeOutside = 3,  // "の範囲外": x < L or x > H
};

// Field names are the keys of the condition files. Index 0 of each triple is condition 1.
struct TCondEst {
  std::string Name = "新しい条件";
  bool Use[kCondCount] = {true, false, false};
  int32_t Target[kCondCount] = {1, 1, 1};  // item index judged
  int32_t CndA[kCondCount] = {0, 0, 0};    // 0: the set values; k: item index k - 1
  int32_t Judge[kCondCount] = {0, 0, 0};   // TCondJudge
  float Value_L[kCondCount] = {10.0f, 10.0f, 10.0f};
  float Value_H[kCondCount] = {30.0f, 30.0f, 30.0f};
  int32_t CndB = 1;       // 0: as soon as the conditions hold; 1: only longer than TimeVal
  uint16_t TimeVal = 30;  // minutes
};

struct TCondPeriod {
  bool Valid = false;
  TDateTime Begin = 0.0;
  TDateTime End = 0.0;
};

// Newest period first, filled from entry 0 upward.
struct TCondResult {
  TCondPeriod Entry[kCondResultCount];
};

}  // namespace velk
