// SPDX-License-Identifier: MIT
#include "app/record_import.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/date_format.h"
#include "base/number_format.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/decimal_parse.h"
#include "store/record_ring.h"
#include "store/record_stats.h"
#include "store/system_log.h"
#include "views/add_event.h"

namespace velk {
namespace {

// Calls fn(field) for every comma-separated field of `text` (a line without commas is one field)
// until fn returns false.
template <typename Fn>
void ForEachField(std::string_view text, Fn&& fn) {
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    const std::string_view field = text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (!fn(field) || comma == std::string_view::npos) return;
    start = comma + 1;
  }
}

std::string_view FirstField(std::string_view line) {
  return line.substr(0, line.find(','));
}

bool IsAscii(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// The whole file, when it is a regular file of a size a record file can have.
bool ReadImportFile(const std::string& path, std::string& out) {
  out.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  struct stat st {};
  bool ok = ::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) &&
            static_cast<uint64_t>(st.st_size) <= kMaxImportFileBytes;
  if (ok) {
    out.resize(static_cast<size_t>(st.st_size));
    out.resize(std::fread(out.data(), 1, out.size(), f));
    ok = !std::ferror(f);
  }
  std::fclose(f);
  if (!ok) std::string().swap(out);
  return ok;
}

// The end of the line that starts at `start`: the first CR or LF (or the end of the text).
size_t LineEnd(std::string_view text, size_t start) {
  const char* const base = text.data();
  const size_t n = text.size();
  const void* lf = std::memchr(base + start, '\n', n - start);
  const size_t lfAt = lf ? static_cast<size_t>(static_cast<const char*>(lf) - base) : n;
  const void* cr = std::memchr(base + start, '\r', lfAt - start);
  return cr ? static_cast<size_t>(static_cast<const char*>(cr) - base) : lfAt;
}

// The start of the next line after a line ending at `end` (a CR LF pair is one break).
size_t NextLineStart(std::string_view text, size_t end) {
  size_t next = end + 1;
  if (end < text.size() && text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
  return next;
}

// Lines as the whole-file reader splits them: at CR LF, LF or CR; a final break adds no line.
size_t CountLines(std::string_view text) {
  size_t lines = 0;
  for (size_t start = 0; start < text.size(); start = NextLineStart(text, LineEnd(text, start))) {
    ++lines;
  }
  return lines;
}

void SetPart(TItemStat& cell, int part, float value) {
  if (part == 0) {
    cell.Avg = value;
  } else if (part == 1) {
    cell.Max = value;
  } else {
    cell.Min = value;
  }
}

}  // namespace

std::string FormatStandardDateTime(TDateTime t) {
  const int64_t ms = ToMilliseconds(t);
  const bool noTime = ms % kMsPerDay == 0;
  const bool noDate = ms >= 0 && ms < kMsPerDay;
  std::string out;
  if (!noDate || noTime) out = FormatShortDate(t);
  if (!noTime) {
    if (!out.empty()) out += ' ';
    out += std::to_string(HourOf(t));
    out += FormatDateTime(":nn:ss", t);
  }
  return out;
}

std::string StripQuotes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c != '"') out += c;
  }
  return out;
}

bool IsRecordLine(std::string_view line) {
  const std::string first = StripQuotes(FirstField(line));
  TDateTime t;
  return !first.empty() && ParseDateTimeText(first, t);
}

bool ParseNameLine(std::string_view line, TRoomEst& room) {
  const std::string_view first = FirstField(line);
  if (first.empty()) return true;
  TDateTime t;
  if (!ParseDateTimeText(first, t)) return false;
  room.Name = FormatStandardDateTime(t);
  return true;
}

namespace {

// Calls fn(item, column, field) for each non-empty field after the first, three columns an item.
template <typename Fn>
void ForEachItemField(std::string_view line, Fn fn) {
  int k = 0;
  ForEachField(line, [&](std::string_view raw) {
    if (k++ == 0) return true;
    const int item = (k - 2) / 3;
    if (item >= kItemCount) return false;
    const std::string field = StripQuotes(raw);
    if (!field.empty()) fn(item, (k - 2) % 3, field);
    return true;
  });
}

}  // namespace

void ParseItemLine(std::string_view line, TRoomEst& room) {
  ForEachItemField(line, [&](int item, int column, const std::string& field) {
    TDataEst& d = room.Data[item];
    switch (column) {
      case 0:
        d.Name = field;
        break;
      case 1:
        d.CCM = field;
        break;
      default: {
        int32_t dec = 0;
        d.Dec = TryParseInt(field, dec) ? static_cast<uint8_t>(dec & 0xFF) : 0;
      }
    }
  });
}

void ParseUnitLine(std::string_view line, TRoomEst& room) {
  ForEachItemField(line, [&](int item, int column, const std::string& field) {
    TDataEst& d = room.Data[item];
    double value = 0;
    switch (column) {
      case 0:
        d.Unit = field;
        break;
      case 1:
        d.UpperLimit = TryParseFloat(field, value) ? value : 0;
        break;
      default:
        d.LowerLimit = TryParseFloat(field, value) ? value : 0;
    }
  });
}

bool ParseRecordLine(std::string_view line, TParsedRecordLine& out) {
  out.Record = TRecDat{};
  out.Memos.clear();
  const size_t comma = line.find(',');
  TDateTime time = 0;
  if (!ParseDateTimeText(line.substr(0, comma), time) || time == 0) return false;
  out.Record.Time = time;
  if (comma == std::string_view::npos) return true;
  size_t pos = comma + 1;
  for (int f = 0; f < 3 * kItemCount; ++f) {
    double value = 0;
    if (ParseDecimalField(line, pos, value)) {
      TItemStat& cell = out.Record.Item[f / 3];
      cell.Valid = 1;
      SetPart(cell, f % 3, static_cast<float>(value));
    }
    if (pos >= line.size()) return true;  // the line ended inside the values
    ++pos;
  }
  // Memos: only the last kEventCount of a line can stay in an event list, so a line of endless
  // fields does not flood the events and the monthly file.
  ForEachField(line.substr(pos), [&](std::string_view raw) {
    std::string memo = StripQuotes(raw);
    if (memo.empty()) return true;
    if (out.Memos.size() == 2 * static_cast<size_t>(kEventCount)) {
      out.Memos.erase(out.Memos.begin(), out.Memos.begin() + kEventCount);
    }
    out.Memos.push_back(std::move(memo));
    return true;
  });
  if (out.Memos.size() > static_cast<size_t>(kEventCount)) {
    out.Memos.erase(out.Memos.begin(), out.Memos.end() - kEventCount);
  }
  return true;
}

TFileRecordBuffer::TFileRecordBuffer(int capacity) : capacity_(capacity) {}

void TFileRecordBuffer::Reserve(size_t records) {
  const size_t n = std::min(records, static_cast<size_t>(capacity_));
  heap_.reserve(n);
  pool_.reserve(n + 1);
}

bool TFileRecordBuffer::InsertFileRecord(const TRecDat& record) {
  if (record.Time == 0) return false;  // an empty record has no place in the run
  const TKey key{record.Time, seq_++, 0};
  const auto newer = [](const TKey& a, const TKey& b) { return Older(a, b); };
  if (Size() < capacity_) {
    TKey k = key;
    k.Slot = static_cast<int32_t>(pool_.size());
    pool_.push_back(record);
    heap_.push_back(k);
    std::push_heap(heap_.begin(), heap_.end(), newer);
    return true;
  }
  // Full: the far-end scan finds a later record only when the newest kept one is later; then
  // position 1 (the newest) moves out to position 0 and the record takes its place in the run.
  if (capacity_ == 0 || !(record.Time < heap_.front().Time)) return false;
  std::pop_heap(heap_.begin(), heap_.end(), newer);
  TKey k = key;
  k.Slot = heap_.back().Slot;
  if (!displaced_) {
    pool_.push_back(TRecDat{});
    displaced_ = true;
  }
  TRecDat& slot = pool_[static_cast<size_t>(k.Slot)];
  std::swap(pool_.back(), slot);
  slot = record;
  heap_.back() = k;
  std::push_heap(heap_.begin(), heap_.end(), newer);
  return true;
}

void TFileRecordBuffer::CompactFileRecords(std::span<TRecDat> ring) {
  std::sort(heap_.begin(), heap_.end(), [](const TKey& a, const TKey& b) { return Older(b, a); });
  size_t pos = 0;
  if (displaced_ && pos < ring.size()) ring[pos++] = pool_.back();
  for (const TKey& k : heap_) {
    if (pos >= ring.size()) break;
    ring[pos++] = pool_[static_cast<size_t>(k.Slot)];
  }
  for (; pos < ring.size(); ++pos) ClearRecord(ring[pos]);
  heap_.clear();
  std::vector<TRecDat>().swap(pool_);
  displaced_ = false;
}

bool SummarizeFileRecords(TRoomDat& store, TRoomInfo& info) {
  int32_t count = 0;
  bool any = false;
  double earliest = 0;
  double latest = 0;
  for (int p = 0; p < kRingLast; ++p) {
    TRecDat& rec = store.Rec[p];
    if (rec.Time == 0) {
      for (TItemStat& cell : rec.Item) cell.Valid = 0;
      continue;
    }
    if (!any || rec.Time < earliest) earliest = rec.Time;
    if (!any || rec.Time > latest) latest = rec.Time;
    any = true;
    for (const TItemStat& cell : rec.Item) {
      if (cell.Valid) {
        ++count;
        break;
      }
    }
  }
  return SetDataPeriod(store, info, count, earliest, latest);
}

TImportResult ImportRecordCsv(TStores& stores, const TAppEnv& env, const std::string& path,
                              const TImportProgress& progress) {
  TImportResult result;
  TRoomEst& room = stores.RoomEst[kFileSlot];
  TRoomDat& store = stores.Dat(kFileSlot);
  SetDefaultRoomEst(kFileSlot, room);
  const auto fail = [&] {
    WriteSystemLog(env, "Main: CSVファイル読込異常: " + path);
    return result;
  };

  std::string bytes;
  if (!ReadImportFile(path, bytes)) return fail();
  const TTextEncoding encoding = DetectTextEncoding(bytes);
  std::string decoded;
  std::string_view text = bytes;
  if (encoding == TTextEncoding::Utf16LeBom || encoding == TTextEncoding::Utf16BeBom) {
    decoded = DecodeText(bytes, encoding);
    std::string().swap(bytes);
    text = decoded;
  } else {
    text.remove_prefix(ByteOrderMark(encoding).size());
  }

  ClearRoomRecords(store);
  ClearRoomEvents(stores.RoomEvent[kFileSlot]);

  const size_t lineCount = CountLines(text);
  TFileRecordBuffer buffer;
  buffer.Reserve(lineCount);
  TParsedRecordLine parsed;
  std::string scratch;
  size_t k = 0;
  size_t start = 0;
  const size_t n = text.size();
  while (start < n) {
    const size_t end = LineEnd(text, start);
    std::string_view line = text.substr(start, end - start);
    start = NextLineStart(text, end);

    // Only a line with other than ASCII needs decoding: numbers and dates are ASCII.
    if (!IsAscii(line)) {
      if (encoding == TTextEncoding::Cp932) {
        Cp932ToUtf8(line, scratch);
      } else {
        scratch = DecodeUtf8Lossy(line);
      }
      line = scratch;
    }
    const bool record = k >= 5 || IsRecordLine(line);
    if (record) {
      if (ParseRecordLine(line, parsed)) {
        for (std::string& memo : parsed.Memos) {
          TEventBase event;
          event.Date = parsed.Record.Time;
          event.Text = std::move(memo);
          AddEvent(stores, env, kFileSlot, event);
        }
        buffer.InsertFileRecord(parsed.Record);
      }
    } else if (k == 0) {
      if (!ParseNameLine(line, room)) return fail();
    } else if (k == 1) {
      ParseItemLine(line, room);
    } else if (k == 2) {
      ParseUnitLine(line, room);
    }
    if (progress && (lineCount < 300 || k % 10 == 0)) {
      progress(static_cast<float>(static_cast<double>(k) / static_cast<double>(lineCount)));
    }
    ++k;
  }

  buffer.CompactFileRecords(store.Rec);
  FillRingGaps(store);
  TRoomInfo& info = stores.RoomInfo[kFileSlot];
  result.Read = true;
  result.Summarized = SummarizeFileRecords(store, info);
  BuildDailyRecords(store);
  if (result.Summarized) {
    result.Message = "ファイルからデータを読み込みました。\n開始日時：" +
                     FormatStandardDateTime(info.StartDate) + "\n終了日時：" +
                     FormatStandardDateTime(info.LastDate) + "\n読込データ数：" +
                     std::to_string(info.RecCount);
  } else {
    result.Message = "読込に失敗しました";
  }
  return result;
}

}  // namespace velk
