// SPDX-License-Identifier: MIT
#include "store/record_csv.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "base/date_format.h"
#include "base/file_io.h"
#include "base/number_format.h"
#include "base/text_encoding.h"
#include "store/record_values.h"
#include "store/system_log.h"

namespace velk {
namespace {

void CheckSlot(int slot) {
  if (slot < 1 || slot >= kRoomSlots) throw std::out_of_range("record CSV file: room slot");
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  out += text;
  out += "\",";
}

// The first bytes of a file, enough for any byte-order mark; false when it cannot be opened.
bool ReadFileHead(const std::string& path, std::string& out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[4];
  const size_t n = std::fread(buf, 1, sizeof buf, f);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  out.assign(buf, n);
  return ok;
}

// The text in the file's encoding, without the mark that encoding writes first.
std::string EncodeWithoutMark(std::string_view utf8, TTextEncoding encoding) {
  if (encoding == TTextEncoding::Cp932) return Utf8ToCp932(utf8);
  std::string bytes = EncodeText(utf8, encoding);
  return bytes.substr(ByteOrderMark(encoding).size());
}

}  // namespace

std::string GetRecordCsvPath(const TAppEnv& env, int slot) {
  CheckSlot(slot);
  return env.AppFolder + "Room" + std::to_string(slot) + ".csv";
}

std::string FormatRecordCsvHeader(const TRoomEst& room) {
  // Line 1 ends in "," like every other line of the file.
  std::string out = ",";
  out += room.Name;
  out += ",\r\n,";
  for (const TDataEst& d : room.Data) {
    AppendQuoted(out, d.Name);
    AppendQuoted(out, d.CCM);
    out += std::to_string(d.Dec);
    out += ',';
  }
  out += "\r\n,";
  for (const TDataEst& d : room.Data) {
    AppendQuoted(out, d.Unit);
    out += FormatFloat(d.UpperLimit);
    out += ',';
    out += FormatFloat(d.LowerLimit);
    out += ',';
  }
  out += "\r\n,";
  for (int n = 0; n < kItemCount; ++n) {
    AppendQuoted(out, "平均");
    AppendQuoted(out, "最大");
    AppendQuoted(out, "最小");
  }
  AppendQuoted(out, "出来事");
  out += "\r\n";
  return out;
}

std::string FormatRecordCsvLine(std::string_view memo, const TRecDat& record) {
  std::string line = FormatDateTime(kFmtRecordTime, record.Time);
  line.reserve(320 + memo.size());
  line += ',';
  AppendRecordValues(line, record);
  AppendQuoted(line, memo);
  line += "\r\n";
  return line;
}

bool CreateRecordCsv(const TAppEnv& env, int slot, const TRoomEst& room) {
  const std::string path = GetRecordCsvPath(env, slot);
  if (FileExists(path) && !DeleteFile(path)) {
    WriteSystemLog(env, "DataAccess: CSVファイル削除失敗: " + path);
    return false;
  }
  if (WriteWholeFile(path, Utf8ToCp932(FormatRecordCsvHeader(room)))) return true;
  WriteSystemLog(env, "DataAccess: CSVファイル新規作成失敗: " + path);
  return false;
}

bool AppendRecordCsv(const TAppEnv& env, int slot, std::string_view memo, const TRecDat& record) {
  const std::string path = GetRecordCsvPath(env, slot);
  const std::string line = FormatRecordCsvLine(memo, record);
  TTextEncoding encoding = TTextEncoding::Cp932;
  std::string head;
  if (ReadFileHead(path, head)) {
    encoding = DetectTextEncoding(head);
  } else {
    // As with the whole-file read this append replaces: the line still goes in, in code page 932.
    WriteSystemLog(env, "DataAccess: 既存CSVファイル読込失敗: " + path);
  }
  std::string data;
  // A last line without its line end is closed first by completing it: a bare CR gets its LF, a
  // bare LF stands, anything else gets CR LF; never a second, empty line.
  const std::string cr = EncodeWithoutMark("\r", encoding);
  const std::string lf = EncodeWithoutMark("\n", encoding);
  const size_t markSize = ByteOrderMark(encoding).size();
  std::string tail;
  if (ReadFileTail(path, markSize + lf.size(), tail) && tail.size() > markSize) {
    const std::string last = tail.substr(tail.size() - std::min(tail.size(), lf.size()));
    if (last == cr) {
      data = lf;
    } else if (last != lf) {
      data = cr + lf;
    }
  }
  data += EncodeWithoutMark(line, encoding);
  if (AppendToFile(path, data)) return true;
  WriteSystemLog(env, "DataAccess: 既存CSVファイル追記失敗: " + path);
  return false;
}

bool CopyRecordCsv(const TAppEnv& env, int slot, const std::string& destination) {
  const std::string source = GetRecordCsvPath(env, slot);
  if (CopyFileReplacing(source, destination)) return true;
  WriteSystemLog(env, "DataAccess: CSVファイル移動（複写）失敗: " + source + " to " + destination);
  return false;
}

}  // namespace velk
