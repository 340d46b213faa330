// SPDX-License-Identifier: MIT
// The texts of the data check grid: every 5-minute record or every daily record of one room slot
// exactly as stored, from a snapshot taken when "ShowData" is pressed.
#pragma once

#include <string>
#include <vector>

#include "store/room_data.h"

namespace velk {

enum class TDataCheckBase { Time, Day };

// Data rows of the grid in both bases (one per ring position).
inline constexpr int kDataCheckRows = kRingSize;

// The room selector's index as a slot, raised to 0 and lowered to 5.
int DataCheckSlot(int index);

class TDataCheckModel {
 public:
  // Columns and header row for `base`, no data (before "ShowData" and when the window shows).
  void LayOut(TDataCheckBase base);
  // Lays out for `base` and takes the slot's records (time base) or daily records and day edges
  // (day base) as they are now; the grid keeps showing them while the stores move on.
  void Show(const TRoomDat& store, TDataCheckBase base);

  TDataCheckBase Base() const { return base_; }
  bool Shown() const { return shown_; }
  // 31 in time base ("Time", 1 Avg … 10 Min), 51 in day base ("Time", 1 Avg … 10 End).
  int ColumnCount() const;
  // Data rows: none until "ShowData", then kDataCheckRows.
  int RowCount() const { return shown_ ? kDataCheckRows : 0; }
  std::string Header(int column) const;
  // Text of data row `row` (0 = ring or daily position 0); "" where nothing is shown.
  std::string Cell(int row, int column) const;

 private:
  TDataCheckBase base_ = TDataCheckBase::Time;
  bool shown_ = false;
  std::vector<TRecDat> rec_;  // ring snapshot, allocated once
  std::vector<TRecDat> day_;
  std::vector<TDayEdge> edge_;
};

}  // namespace velk
