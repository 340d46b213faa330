// SPDX-License-Identifier: MIT
#include "views/past_export.h"

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "store/record_csv.h"
#include "store/system_log.h"
#include "views/past_chart.h"

namespace velk {

std::string FormatPastWindowCsv(const TRoomEst& room, const TRoomDat& store, int span,
                                double windowEnd) {
  const TPastWindow w = SetUpPastWindow(store, span, windowEnd);
  std::string out = FormatRecordCsvHeader(room);
  ForEachWindowRecord(store, w,
                      [&out](int, const TRecDat& rec) { out += FormatRecordCsvLine("", rec); });
  return out;
}

bool SavePastWindowCsv(const TAppEnv& env, const std::string& path, const TRoomEst& room,
                       const TRoomDat& store, int span, double windowEnd) {
  if (WriteWholeFile(path, Utf8ToCp932(FormatPastWindowCsv(room, store, span, windowEnd)))) {
    return true;
  }
  WriteSystemLog(env, "PastStatus: CSV保存失敗: " + path);
  return false;
}

}  // namespace velk
