// SPDX-License-Identifier: MIT
// What the network sends: every distinct reading key (CCM type, room, region, order) heard since
// start, with its last sender, value and time and its count over the last minute. The receiver
// notes each data reading here in constant time; the listing window reads it once a second. It
// only listens: nothing here ever sends.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "acquisition/live_value_table.h"
#include "base/date_time.h"
#include "store/room_data.h"

namespace velk {

// Keys beyond this many drop the key heard longest ago.
inline constexpr int kInventoryCapacity = 1000;
// The span of the per-key reception count, in seconds.
inline constexpr int kInventoryWindowSeconds = 60;
// A value text is kept up to this many bytes.
inline constexpr size_t kInventoryValueMax = 64;

struct TCCMKey {
  std::string Type;
  int16_t Room = 0;
  int16_t Region = 0;
  int16_t Order = 0;
};

struct TCCMInventoryEntry {
  TCCMKey Key;
  std::string Peer;   // sender address of the last datagram
  std::string Value;  // value text of the last datagram as sent, cut to kInventoryValueMax bytes
  TDateTime FirstHeard = 0;
  TDateTime LastHeard = 0;
  uint64_t Total = 0;
  // Datagrams per clock second in a ring indexed by the second modulo the window; Stamp says
  // which second a place counts, so places of seconds gone by need no clearing.
  std::array<uint32_t, kInventoryWindowSeconds> PerSecond{};
  std::array<int64_t, kInventoryWindowSeconds> Stamp{};
  int Newer = -1;  // recency list: the entry heard next after this one, -1 for the newest
  int Older = -1;
};

class TCCMInventory {
 public:
  TCCMInventory();

  // The time stamped on the readings noted from now on: the receiver reads no clock of its own,
  // the acquisition tick moves this one on.
  void SetNow(TDateTime now);
  TDateTime Now() const { return now_; }

  // One data reading. A new key takes the next free entry, or, when all are taken, the entry of
  // the key heard longest ago.
  void Note(std::string_view peer, std::string_view type, int16_t room, int16_t region,
            int16_t order, std::string_view value);

  // Entries 0 to Size() - 1 are in use; an entry keeps its index until its key is dropped.
  int Size() const { return static_cast<int>(used_); }
  // Throws std::out_of_range for an index outside 0 to Size() - 1.
  const TCCMInventoryEntry& Entry(int index) const;
  // Datagrams of the entry's key over the last minute up to the current time.
  uint32_t CountLastMinute(int index) const;
  // Keys dropped to make room since start.
  uint64_t Dropped() const { return dropped_; }

 private:
  struct KeyView {
    std::string_view Type;
    int16_t Room, Region, Order;
  };
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(const KeyView& k) const;
    size_t operator()(const TCCMKey& k) const;
  };
  struct KeyEqual {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
      return a.Room == b.Room && a.Region == b.Region && a.Order == b.Order &&
             std::string_view(a.Type) == std::string_view(b.Type);
    }
  };

  int Take(const KeyView& key);
  void Unlink(int index);
  void LinkNewest(int index);

  std::vector<TCCMInventoryEntry> entries_;
  std::unordered_map<TCCMKey, int, KeyHash, KeyEqual> index_;
  size_t used_ = 0;
  int newest_ = -1;
  int oldest_ = -1;
  uint64_t dropped_ = 0;
  TDateTime now_ = 0;
  int64_t nowSecond_ = 0;
};

// The columns of the listing, left to right.
enum TInventoryColumn : int {
  kInvType = 0,
  kInvRoom,
  kInvRegion,
  kInvOrder,
  kInvPeer,
  kInvValue,
  kInvPerMinute,
  kInvLastHeard,
  kInvFeeds,
  kInvColumnCount,
};

// The column captions of the listing.
std::string InventoryColumnCaption(int column);

// One line of the listing as shown.
struct TCCMInventoryRow {
  std::array<std::string, kInvColumnCount> Text;
  // The order of the line when sorted by a column: the number for numeric columns and times,
  // NaN where the text orders it.
  std::array<double, kInvColumnCount> SortNumber{};
  bool Feeds = false;  // the key feeds at least one configured item
};

// The configured items a key feeds, by the same rule as the live value table's matching, as
// "1号棟 気温、2号棟 気温"; "該当なし" when it feeds none.
std::string InventoryFeedsText(const TCCMKey& key, const TLiveValueTable& table,
                               const TRoomEst (&rooms)[kRoomSlots], bool* feeds = nullptr);

// The line of entry `index`. `rooms` gives the item names; `table` the keys in use.
TCCMInventoryRow InventoryRow(const TCCMInventory& inventory, int index,
                              const TLiveValueTable& table, const TRoomEst (&rooms)[kRoomSlots]);

}  // namespace velk
