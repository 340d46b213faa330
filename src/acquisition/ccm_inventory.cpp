// SPDX-License-Identifier: MIT
#include "acquisition/ccm_inventory.h"

#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

#include "base/date_format.h"
#include "base/number_format.h"

namespace velk {
namespace {

size_t HashKey(std::string_view type, int16_t room, int16_t region, int16_t order) {
  const uint64_t numbers = (static_cast<uint64_t>(static_cast<uint16_t>(room)) << 32) |
                           (static_cast<uint64_t>(static_cast<uint16_t>(region)) << 16) |
                           static_cast<uint16_t>(order);
  return std::hash<std::string_view>{}(type) ^ (numbers * 0x9E3779B97F4A7C15ull);
}

int64_t SecondOf(TDateTime t) {
  return static_cast<int64_t>(std::floor(t * 86400.0 + 1e-6));
}

}  // namespace

size_t TCCMInventory::KeyHash::operator()(const KeyView& k) const {
  return HashKey(k.Type, k.Room, k.Region, k.Order);
}

size_t TCCMInventory::KeyHash::operator()(const TCCMKey& k) const {
  return HashKey(k.Type, k.Room, k.Region, k.Order);
}

TCCMInventory::TCCMInventory() : entries_(kInventoryCapacity) {
  index_.reserve(kInventoryCapacity);
}

void TCCMInventory::SetNow(TDateTime now) {
  now_ = now;
  nowSecond_ = SecondOf(now);
}

void TCCMInventory::Unlink(int index) {
  TCCMInventoryEntry& e = entries_[static_cast<size_t>(index)];
  if (e.Newer >= 0) {
    entries_[static_cast<size_t>(e.Newer)].Older = e.Older;
  } else {
    newest_ = e.Older;
  }
  if (e.Older >= 0) {
    entries_[static_cast<size_t>(e.Older)].Newer = e.Newer;
  } else {
    oldest_ = e.Newer;
  }
  e.Newer = e.Older = -1;
}

void TCCMInventory::LinkNewest(int index) {
  TCCMInventoryEntry& e = entries_[static_cast<size_t>(index)];
  e.Newer = -1;
  e.Older = newest_;
  if (newest_ >= 0) entries_[static_cast<size_t>(newest_)].Newer = index;
  newest_ = index;
  if (oldest_ < 0) oldest_ = index;
}

int TCCMInventory::Take(const KeyView& key) {
  int index;
  if (used_ < entries_.size()) {
    index = static_cast<int>(used_++);
  } else {
    index = oldest_;
    Unlink(index);
    index_.erase(entries_[static_cast<size_t>(index)].Key);
    ++dropped_;
  }
  TCCMInventoryEntry& e = entries_[static_cast<size_t>(index)];
  e = TCCMInventoryEntry{};
  e.Key = TCCMKey{std::string(key.Type), key.Room, key.Region, key.Order};
  e.FirstHeard = now_;
  index_.emplace(e.Key, index);
  LinkNewest(index);
  return index;
}

void TCCMInventory::Note(std::string_view peer, std::string_view type, int16_t room, int16_t region,
                         int16_t order, std::string_view value) {
  const KeyView key{type, room, region, order};
  int index;
  if (const auto found = index_.find(key); found != index_.end()) {
    index = found->second;
    if (index != newest_) {
      Unlink(index);
      LinkNewest(index);
    }
  } else {
    index = Take(key);
  }
  TCCMInventoryEntry& e = entries_[static_cast<size_t>(index)];
  e.Peer.assign(peer);
  e.Value.assign(value.substr(0, kInventoryValueMax));
  e.LastHeard = now_;
  ++e.Total;
  const size_t place = static_cast<size_t>(nowSecond_ % kInventoryWindowSeconds);
  if (e.Stamp[place] != nowSecond_) {
    e.Stamp[place] = nowSecond_;
    e.PerSecond[place] = 0;
  }
  ++e.PerSecond[place];
}

const TCCMInventoryEntry& TCCMInventory::Entry(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= used_)
    throw std::out_of_range("TCCMInventory::Entry");
  return entries_[static_cast<size_t>(index)];
}

uint32_t TCCMInventory::CountLastMinute(int index) const {
  const TCCMInventoryEntry& e = Entry(index);
  uint32_t count = 0;
  for (size_t i = 0; i < e.Stamp.size(); ++i) {
    const int64_t age = nowSecond_ - e.Stamp[i];
    if (e.PerSecond[i] > 0 && age >= 0 && age < kInventoryWindowSeconds) count += e.PerSecond[i];
  }
  return count;
}

std::string InventoryColumnCaption(int column) {
  static const char* const kCaptions[kInvColumnCount] = {
      "CCM種別", "room", "region", "order", "送信元", "最新値", "受信数/分", "最終受信", "対象項目",
  };
  if (column < 0 || column >= kInvColumnCount) throw std::out_of_range("InventoryColumnCaption");
  return kCaptions[column];
}

std::string InventoryFeedsText(const TCCMKey& key, const TLiveValueTable& table,
                               const TRoomEst (&rooms)[kRoomSlots], bool* feeds) {
  std::string text;
  for (int slot = 1; slot < kRoomSlots; ++slot) {
    for (int item = 0; item < kItemCount; ++item) {
      const TCCMData& cell = table.Cell[slot][item];
      if (cell.CCM.empty() || cell.CCM != key.Type) continue;
      if (!MatchCCMAddress(key.Room, key.Region, key.Order, cell.Room, cell.Region, cell.Order))
        continue;
      if (!text.empty()) text += "、";
      text += std::to_string(slot) + "号棟 " + rooms[slot].Data[item].Name;
    }
  }
  if (feeds != nullptr) *feeds = !text.empty();
  return text.empty() ? "該当なし" : text;
}

TCCMInventoryRow InventoryRow(const TCCMInventory& inventory, int index,
                              const TLiveValueTable& table, const TRoomEst (&rooms)[kRoomSlots]) {
  const TCCMInventoryEntry& e = inventory.Entry(index);
  constexpr double kText = std::numeric_limits<double>::quiet_NaN();
  TCCMInventoryRow row;
  const uint32_t perMinute = inventory.CountLastMinute(index);
  const bool today = DateOf(e.LastHeard) == DateOf(inventory.Now());
  row.Text = {
      e.Key.Type,
      std::to_string(e.Key.Room),
      std::to_string(e.Key.Region),
      std::to_string(e.Key.Order),
      e.Peer,
      e.Value,
      std::to_string(perMinute),
      FormatDateTime(today ? "hh:nn:ss" : "yyyy/mm/dd hh:nn:ss", e.LastHeard),
      InventoryFeedsText(e.Key, table, rooms, &row.Feeds),
  };
  row.SortNumber = {
      kText, kText, kText, kText, kText, kText, static_cast<double>(perMinute), e.LastHeard, kText,
  };
  row.SortNumber[kInvRoom] = e.Key.Room;
  row.SortNumber[kInvRegion] = e.Key.Region;
  row.SortNumber[kInvOrder] = e.Key.Order;
  // Values that are not numbers sort after every number.
  double value = 0;
  row.SortNumber[kInvValue] =
      TryParseFloat(e.Value, value) ? value : std::numeric_limits<double>::infinity();
  return row;
}

}  // namespace velk
