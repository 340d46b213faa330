// SPDX-License-Identifier: MIT
// The texts of the main window's header, room selector and status bar, built from the stores.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "acquisition/live_value_table.h"
#include "base/date_time.h"
#include "store/room_data.h"

namespace velk {

inline constexpr char kVersionText[] = "1.1.0.0";
inline constexpr char kHistoryOnlySuffix[] = "  【履歴専用モード】";

// "UECS-VELK Ver.1.1.0.0", with the history-only suffix when asked.
std::string MainWindowTitle(bool historyOnly);

// Cultivation days between the dates of two moments, counted from 1: "3週2日 / 23日目".
std::string GrowthDaysText(TDateTime from, TDateTime to);

// The cultivation panel of a room: "未使用棟", the growth days since BeginDate, or "栽培休止中".
std::string RoomGrowthText(const TRoomEst& room, TDateTime today);

// "ファイル：<name>" and "[No.1] 栽培室1(1-0-0)".
std::string FileEntryText(const std::string& fileName);
std::string RoomEntryText(int slot, const TRoomEst& room);

// The texts of the status bar's seven panels; nullopt keeps a panel's text.
std::array<std::optional<std::string>, 7> StatusBarTexts(const TSystemSts& status,
                                                         const TRoomEst (&rooms)[kRoomSlots]);

}  // namespace velk
