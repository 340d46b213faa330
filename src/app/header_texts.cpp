// SPDX-License-Identifier: MIT
#include "app/header_texts.h"

namespace velk {

std::string MainWindowTitle(bool historyOnly) {
  std::string title = std::string("UECS-VELK Ver.") + kVersionText;
  if (historyOnly) title += kHistoryOnlySuffix;
  return title;
}

std::string GrowthDaysText(TDateTime from, TDateTime to) {
  const int n = DaysBetweenDates(from, to) + 1;
  return std::to_string(n / 7) + "週" + std::to_string(n % 7) + "日 / " + std::to_string(n) +
         "日目";
}

std::string RoomGrowthText(const TRoomEst& room, TDateTime today) {
  if (room.Use == kUseNone) return "未使用棟";
  if (room.Use == kUseCultivating) return GrowthDaysText(room.BeginDate, today);
  return "栽培休止中";
}

std::string FileEntryText(const std::string& fileName) {
  return "ファイル：" + fileName;
}

std::string RoomEntryText(int slot, const TRoomEst& room) {
  return "[No." + std::to_string(slot) + "] " + room.Name + "(" + std::to_string(room.Room) + "-" +
         std::to_string(room.Region) + "-" + std::to_string(room.Order) + ")";
}

std::array<std::optional<std::string>, 7> StatusBarTexts(const TSystemSts& status,
                                                         const TRoomEst (&rooms)[kRoomSlots]) {
  std::array<std::optional<std::string>, 7> panels;
  panels[0] = status.NetActive == 1 ? "受信数: " + std::to_string(status.RecvCount) + "/s."
                                    : std::string("受信できません");
  for (int i = 1; i < kRoomSlots; ++i) {
    if (rooms[i].Use == kUseNone) continue;
    std::string text = std::to_string(i) + "号棟: ";
    if (status.NetActive != 1) {
      text += "×";
    } else if (status.RoomRecv[i] == 1) {
      text += "●";
    }
    panels[i] = text;
  }
  panels[6] = "My IP: " + status.MyIP;
  return panels;
}

}  // namespace velk
