// SPDX-License-Identifier: MIT
// Text forms of date values and their parsing in the Japanese short forms.
#pragma once

#include <string>
#include <string_view>

#include "base/date_time.h"

namespace velk {

// Pattern tokens: yyyy year, mm month, dd day, hh hour (24 h), nn minute, ss second, zzz msec.
// Everything else is copied as it stands, so "yyyy年mm月dd日 hh:nn.ss" works byte for byte.
std::string FormatDateTime(std::string_view pattern, TDateTime t);

inline constexpr std::string_view kFmtRecordTime = "yyyy/mm/dd hh:nn";
inline constexpr std::string_view kFmtLogTime = "yyyy/mm/dd hh:nn.ss";
inline constexpr std::string_view kFmtDate = "yyyy/mm/dd";
inline constexpr std::string_view kFmtJpDateTimeSec = "yyyy年mm月dd日 hh:nn.ss";
inline constexpr std::string_view kFmtJpDateTime = "yyyy年mm月dd日 hh:nn";
inline constexpr std::string_view kFmtJpDate = "yyyy年mm月dd日";
inline constexpr std::string_view kFmtClock = "hh:nn";

// The Japanese short date of the settings files ("1899/12/30").
std::string FormatShortDate(TDateTime t);

// "yyyy/m/d" with one- or two-digit month and day. Nothing else is accepted.
bool ParseDateText(std::string_view text, TDateTime& out);
// "yyyy/m/d", "yyyy/m/d h:n", "yyyy/m/d h:n:s", or a time alone "h:n" / "h:n:s".
bool ParseDateTimeText(std::string_view text, TDateTime& out);

}  // namespace velk
