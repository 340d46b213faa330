// SPDX-License-Identifier: MIT
// The one source of "now": the system's local clock, or a fake one for tests and demos.
#pragma once

#include "base/date_time.h"

namespace velk {

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time as a date value.
  virtual TDateTime Now() const = 0;
  TDateTime Today() const { return DateOf(Now()); }
};

class SystemClock final : public Clock {
 public:
  TDateTime Now() const override;
};

class FakeClock final : public Clock {
 public:
  explicit FakeClock(TDateTime now = 0) : now_(now) {}
  TDateTime Now() const override { return now_; }
  void Set(TDateTime now) { now_ = now; }
  void AdvanceSeconds(double seconds) { now_ += seconds * kSecond; }

 private:
  TDateTime now_;
};

}  // namespace velk
