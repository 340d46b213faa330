// SPDX-License-Identifier: MIT
// The import of a record CSV file into the file slot 0: header lines to the slot's item settings,
// record lines to its ring (oldest 105,119 kept, newest first from position 0, on the five-minute
// grid), memos to its events, then its daily records and data period.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/app_env.h"
#include "store/stores.h"

namespace velk {

inline constexpr int kFileSlot = 0;
// Larger files cannot be record files (a year of records is about 42 MB) and are not read.
inline constexpr uint64_t kMaxImportFileBytes = 192ull << 20;

// "2020/11/13 9:05:00" as the platform writes a moment: the date alone at midnight, the time alone
// on day 0.
std::string FormatStandardDateTime(TDateTime t);

// Text before the first comma, double quotes dropped, is a date and time.
bool IsRecordLine(std::string_view line);
// Every double quote removed.
std::string StripQuotes(std::string_view text);

// Name line: an empty first field changes nothing; a date and time becomes the room name. False
// when the first field is neither (the import then stops).
bool ParseNameLine(std::string_view line, TRoomEst& room);
// Item line (Name, CCM, Dec per item) and unit line (Unit, UpperLimit, LowerLimit per item), in
// threes after the first field; empty fields and fields past item 10 are skipped.
void ParseItemLine(std::string_view line, TRoomEst& room);
void ParseUnitLine(std::string_view line, TRoomEst& room);

// One record line: the record (items valid where any of their three fields converted) and its
// non-empty memo fields, quotes removed. False when field 0 is not a date and time (or is day 0,
// which would make the record empty): the line is skipped.
struct TParsedRecordLine {
  TRecDat Record{};
  std::vector<std::string> Memos;
};
bool ParseRecordLine(std::string_view line, TParsedRecordLine& out);

// The records of an import before they reach the ring. Keeps exactly what inserting each record
// by time into positions 1..capacity of a cleared ring from its far end keeps (the oldest
// `capacity` records, equal times in file order, the newest displaced one at position 0), at a
// logarithmic cost per record whatever the file's order.
class TFileRecordBuffer {
 public:
  explicit TFileRecordBuffer(int capacity = kRingLast);
  int Capacity() const { return capacity_; }
  int Size() const { return static_cast<int>(heap_.size()); }
  // Room for as many records as a file of that many lines can bring (up to the capacity).
  void Reserve(size_t records);

  // False when the record was dropped (the buffer is full and it is not older than the newest).
  bool InsertFileRecord(const TRecDat& record);
  // Writes the records to ring positions 0 upward, newest first, and clears the rest of the ring
  // (what compacting the far-end insertion towards position 0 leaves). Empties the buffer.
  void CompactFileRecords(std::span<TRecDat> ring);

 private:
  struct TKey {
    double Time;
    uint64_t Seq;
    int32_t Slot;  // index into pool_
  };
  static bool Older(const TKey& a, const TKey& b) {
    return a.Time < b.Time || (a.Time == b.Time && a.Seq < b.Seq);
  }
  int capacity_;
  uint64_t seq_ = 0;
  std::vector<TKey> heap_;  // max-heap: the newest kept record on top
  std::vector<TRecDat> pool_;
  bool displaced_ = false;  // pool_.back() holds the last record pushed out of position 1
};

// Clears the Valid flags of empty records and sets the data period of the slot from positions
// 0..last-1 (every non-empty record counts for the period, records with a valid item for the
// count). False, with StartDate, LastDate and RecCount 0, when no record has a valid item.
bool SummarizeFileRecords(TRoomDat& store, TRoomInfo& info);

struct TImportResult {
  bool Read = false;        // false: unreadable file or bad name line (logged, no box)
  bool Summarized = false;  // at least one record with a valid item
  std::string Message;      // the information box text when Read
};

// Called with the fraction of lines read after every line of a file under 300 lines and every
// tenth line otherwise; the caller moves its gauge and lets pending events run there.
using TImportProgress = std::function<void(float fraction)>;

// Reads the file (code page 932, or UTF-8 / UTF-16 by their byte-order mark) into slot 0: item
// settings reset and taken from the header, records, events (through AddEvent, so also into slot
// 0's monthly files), the daily records and the data period. Slots 1 to 5 are not touched.
TImportResult ImportRecordCsv(TStores& stores, const TAppEnv& env, const std::string& path,
                              const TImportProgress& progress = {});

}  // namespace velk
