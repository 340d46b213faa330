// SPDX-License-Identifier: MIT
// The "T" and "E" lines of the monthly data files.
#include <exception>
#include <string>

#include "base/date_format.h"
#include "base/number_format.h"
#include "base/text_encoding.h"
#include "store/decimal_parse.h"
#include "store/month_files.h"
#include "store/record_values.h"
#include "store/system_log.h"

namespace velk {
namespace {

// Splits at ",". A field that begins with a double quote runs to its closing quote (a doubled
// quote inside stands for one) and is handed over without the quotes; what follows the closing
// quote up to the next "," is a field of its own. fn(index, field) returns false to stop.
template <typename Fn>
void SplitFields(std::string_view line, std::string& scratch, Fn&& fn) {
  size_t pos = 0;
  int index = 0;
  const size_t n = line.size();
  while (pos <= n) {
    std::string_view field;
    bool closedQuote = false;
    if (pos < n && line[pos] == '"') {
      scratch.clear();
      size_t i = pos + 1;
      while (i < n) {
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            scratch += '"';
            i += 2;
            continue;
          }
          closedQuote = true;
          break;
        }
        scratch += line[i++];
      }
      field = scratch;
      pos = closedQuote ? i + 1 : n;
      if (pos < n && line[pos] == ',') ++pos;
      if (!fn(index++, field)) return;
      if (pos >= n) return;
      continue;
    }
    const size_t comma = line.find(',', pos);
    const size_t end = comma == std::string_view::npos ? n : comma;
    field = line.substr(pos, end - pos);
    if (!fn(index++, field)) return;
    if (comma == std::string_view::npos) return;
    pos = comma + 1;
  }
}

// A date and time that names a record or event. 0 stands for "no time" and is not one, nor is a
// time of day without a date (day 0): such a line could not be written back readably.
bool ParseLineTime(std::string_view field, double& time) {
  return ParseDateTimeText(field, time) && time >= 1.0;
}

}  // namespace

std::string FormatMonthRecordLine(const TRecDat& record) {
  std::string line = "T,";
  line.reserve(320);
  line += FormatDateTime(kFmtRecordTime, record.Time);
  line += ',';
  AppendRecordValues(line, record);
  return line;
}

std::string FormatMonthEventLine(const TEventBase& event) {
  std::string line = "E,";
  line += FormatDateTime(kFmtRecordTime, event.Date);
  line += ",\"";
  line += event.Text;
  line += "\",";
  return line;
}

namespace {

void StoreValue(TRecDat& record, int k, double value) {
  TItemStat& cell = record.Item[(k - 2) / 3];
  const float single = static_cast<float>(value);
  switch ((k - 2) % 3) {
    case 0:
      cell.Avg = single;
      break;
    case 1:
      cell.Max = single;
      break;
    default:
      cell.Min = single;
      break;
  }
  cell.Valid = 1;
}

// A line without double quotes, the form the system writes: each value field is split and
// converted in one pass.
bool ParsePlainRecordLine(std::string_view line, TRecDat& record) {
  const size_t first = line.find(',');
  if (first == std::string_view::npos) return false;
  const size_t second = line.find(',', first + 1);
  const size_t timeEnd = second == std::string_view::npos ? line.size() : second;
  if (!ParseLineTime(line.substr(first + 1, timeEnd - first - 1), record.Time)) return false;
  size_t pos = timeEnd;  // on the "," that ends the previous field, or the end of the line
  for (int k = 2; pos < line.size() && (k - 2) / 3 < kItemCount; ++k) {
    ++pos;
    double value;
    // An empty field leaves pos on its ","; any other moves pos to its end.
    if (pos < line.size() && line[pos] != ',' && ParseDecimalField(line, pos, value) &&
        FitsSingle(value)) {
      StoreValue(record, k, value);
    }
  }
  return true;
}

}  // namespace

bool ParseMonthRecordLine(const TAppEnv& env, std::string_view line, TRecDat& record) {
  try {
    ClearRecord(record);
    // Every field is written with a "," after it, so a last field without one was torn off by
    // a power cut in the middle of an append: it is dropped rather than read as a shorter value
    // (a torn time field rejects the line).
    if (!line.empty() && line.back() != ',') {
      const size_t lastComma = line.rfind(',');
      line =
          lastComma == std::string_view::npos ? std::string_view() : line.substr(0, lastComma + 1);
    }
    if (line.find('"') == std::string_view::npos) {
      if (ParsePlainRecordLine(line, record)) return true;
      record.Time = 0;
      return false;
    }
    std::string scratch;
    bool timed = false;
    SplitFields(line, scratch, [&](int k, std::string_view field) {
      if (k == 0) return true;
      if (k == 1) {
        timed = ParseLineTime(field, record.Time);
        return timed;
      }
      if ((k - 2) / 3 >= kItemCount) return false;
      double value;
      if (!field.empty() && ParseDecimal(field, value) && FitsSingle(value)) {
        StoreValue(record, k, value);
      }
      return true;
    });
    if (!timed) {
      record.Time = 0;
      return false;
    }
    return true;
  } catch (const std::exception&) {
    WriteSystemLog(env, "DataAccess: TDBデータ変換失敗: " + std::string(line));
    return false;
  }
}

bool ParseMonthEventLine(const TAppEnv& env, std::string_view line, TEventBase& event) {
  try {
    event = TEventBase{};
    std::string scratch;
    bool timed = false;
    SplitFields(line, scratch, [&](int k, std::string_view field) {
      if (k == 1) {
        timed = ParseLineTime(field, event.Date);
        return timed;
      }
      if (k == 2) {
        std::string text;
        for (char c : field) {
          if (c != '"') text += c;
        }
        event.Text = DecodeUtf8Lossy(text);
        return false;
      }
      return true;
    });
    if (!timed) {
      event.Date = 0;
      return false;
    }
    return true;
  } catch (const std::exception&) {
    WriteSystemLog(env, "DataAccess: TDBイベント変換失敗: " + std::string(line));
    return false;
  }
}

}  // namespace velk
