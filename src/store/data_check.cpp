// SPDX-License-Identifier: MIT
#include "store/data_check.h"

#include <algorithm>
#include <stdexcept>

#include "base/date_format.h"
#include "base/number_format.h"

namespace velk {
namespace {

constexpr const char* kTimeParts[3] = {" Avg", " Max", " Min"};
constexpr const char* kDayParts[5] = {" Avg", " Max", " Min", " Start", " End"};

int PartsPerItem(TDataCheckBase base) {
  return base == TDataCheckBase::Time ? 3 : 5;
}

}  // namespace

int DataCheckSlot(int index) {
  return std::clamp(index, 0, kRoomSlots - 1);
}

void TDataCheckModel::LayOut(TDataCheckBase base) {
  base_ = base;
  shown_ = false;
}

void TDataCheckModel::Show(const TRoomDat& store, TDataCheckBase base) {
  LayOut(base);
  if (base == TDataCheckBase::Time) {
    rec_.assign(std::begin(store.Rec), std::end(store.Rec));
  } else {
    day_.assign(std::begin(store.Day), std::end(store.Day));
    edge_.assign(std::begin(store.Edge), std::end(store.Edge));
  }
  shown_ = true;
}

int TDataCheckModel::ColumnCount() const {
  return 1 + kItemCount * PartsPerItem(base_);
}

std::string TDataCheckModel::Header(int column) const {
  if (column < 0 || column >= ColumnCount()) throw std::out_of_range("data check: column");
  if (column == 0) return "Time";
  const int parts = PartsPerItem(base_);
  const int item = (column - 1) / parts;
  const int part = (column - 1) % parts;
  return std::to_string(item + 1) +
         (base_ == TDataCheckBase::Time ? kTimeParts[part] : kDayParts[part]);
}

std::string TDataCheckModel::Cell(int row, int column) const {
  if (row < 0 || row >= kDataCheckRows || column < 0 || column >= ColumnCount()) {
    throw std::out_of_range("data check: cell");
  }
  if (!shown_) return {};
  const int parts = PartsPerItem(base_);
  const int item = (column - 1) / parts;
  const int part = (column - 1) % parts;
  if (base_ == TDataCheckBase::Time) {
    const TRecDat& rec = rec_[static_cast<size_t>(row)];
    if (column == 0) return FormatDateTime(kFmtRecordTime, rec.Time);
    const TItemStat& cell = rec.Item[item];
    if (!cell.Valid) return {};
    return FormatSingle(part == 0 ? cell.Avg : part == 1 ? cell.Max : cell.Min);
  }
  if (row >= kDayCount) return {};
  const TRecDat& day = day_[static_cast<size_t>(row)];
  if (column == 0) return FormatDateTime(kFmtDate, day.Time);
  const TItemStat& cell = day.Item[item];
  if (!cell.Valid) return {};
  const TDayEdge& edge = edge_[static_cast<size_t>(row)];
  const float values[5] = {cell.Avg, cell.Max, cell.Min, edge.Start[item], edge.End[item]};
  return FormatSingle(values[part]);
}

}  // namespace velk
