// SPDX-License-Identifier: MIT
#include "app/record_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

#include "base/date_format.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/record_ring.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

struct RecordImportTest : ::testing::Test {
  test::TestEnv t{EncodeDateTime(2021, 3, 1, 12, 0, 0)};
  std::unique_ptr<TStores> stores = std::make_unique<TStores>();
  void SetUp() override { ASSERT_TRUE(EnsureFolders(t.env)); }

  TRoomDat& Slot0() { return stores->Dat(0); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = t.folder.Path() + name;
    test::WriteFile(path, bytes);
    return path;
  }
  TImportResult Import(const std::string& path) { return ImportRecordCsv(*stores, t.env, path); }
  std::string LogText() { return test::ReadFile(GetLogFilePath(t.env, t.env.Now())); }
  std::string Time(int pos) { return FormatDateTime(kFmtRecordTime, Slot0().Rec[pos].Time); }
};

TRecDat Rec(TDateTime time, float airTemp) {
  TRecDat r{};
  r.Time = time;
  r.Item[kAirTemperature] = {1, airTemp, airTemp + 1, airTemp - 1};
  return r;
}

// A room file as the system writes it: header from custom settings, a gap at 23:50, the 23:55
// line carrying the day's two events (newest first, each after a blank).
std::string SystemFile() {
  TRoomEst room;
  SetDefaultRoomEst(1, room);
  room.Name = "東棟";
  room.Data[0] = {"日射", 3, "W/m2", "InRad.mIC", 0, 0, 0, 1.5, 0};
  room.Data[9] = {"風", 1, "m/s", "WindSpeed", 0, 0, 0, 12.25, -1};
  std::string text = FormatRecordCsvHeader(room);
  const TDateTime day = EncodeDate(2020, 11, 13);
  text += FormatRecordCsvLine("", Rec(day + EncodeTime(23, 40), 12.3f));
  text += FormatRecordCsvLine("", Rec(day + EncodeTime(23, 45), 12.5f));
  text += FormatRecordCsvLine(" 収穫 定植", Rec(day + EncodeTime(23, 55), 13));
  text += FormatRecordCsvLine("", Rec(day + 1, 13.5f));
  return text;
}

TEST_F(RecordImportTest, AFileWrittenBySystemInEveryEncodingItCanHave) {
  for (const TTextEncoding encoding : {TTextEncoding::Cp932, TTextEncoding::Utf8Bom,
                                       TTextEncoding::Utf16LeBom, TTextEncoding::Utf16BeBom}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    stores = std::make_unique<TStores>();
    const TImportResult r = Import(Write("Room1.csv", EncodeText(SystemFile(), encoding)));
    ASSERT_TRUE(r.Read);
    ASSERT_TRUE(r.Summarized);
    EXPECT_EQ(r.Message,
              "ファイルからデータを読み込みました。\n開始日時：2020/11/13 23:40:00\n"
              "終了日時：2020/11/14\n読込データ数：4");
    // Header lines 2 and 3 set the items; line 1 and the label line leave the rest alone.
    const TRoomEst& est = stores->RoomEst[0];
    EXPECT_EQ(est.Name, "栽培室0");
    EXPECT_EQ(est.Data[0].Name, "日射");
    EXPECT_EQ(est.Data[0].CCM, "InRad.mIC");
    EXPECT_EQ(est.Data[0].Dec, 3);
    EXPECT_EQ(est.Data[0].Unit, "W/m2");
    EXPECT_EQ(est.Data[0].UpperLimit, 1.5);
    EXPECT_EQ(est.Data[9].LowerLimit, -1);
    EXPECT_EQ(est.Data[9].UpperLimit, 12.25);
    TRoomEst defaults;
    SetDefaultRoomEst(0, defaults);
    EXPECT_EQ(est.Data[4].Name, defaults.Data[4].Name);
    // Newest first from position 0, the missing 23:50 as an empty grid record.
    EXPECT_EQ(Time(0), "2020/11/14 00:00");
    EXPECT_EQ(Time(1), "2020/11/13 23:55");
    EXPECT_EQ(Time(2), "2020/11/13 23:50");
    EXPECT_EQ(Slot0().Rec[2].Item[kAirTemperature].Valid, 0);
    EXPECT_EQ(Time(4), "2020/11/13 23:40");
    EXPECT_EQ(Slot0().Rec[4].Item[kAirTemperature].Avg, 12.3f);
    EXPECT_EQ(Slot0().Rec[4].Item[kAirTemperature].Max, 13.3f);
    EXPECT_EQ(Slot0().Rec[5].Time, 0);
    EXPECT_EQ(Slot0().FirstTime, EncodeDateTime(2020, 11, 13, 23, 40));
    // The memo is one event, its leading blank kept.
    const TRoomEventDat& events = stores->RoomEvent[0];
    EXPECT_EQ(events.Count, 1);
    EXPECT_EQ(events.Event[0].Text, " 収穫 定植");
    EXPECT_EQ(events.Event[0].Date, EncodeDateTime(2020, 11, 13, 23, 55));
    // Daily records: the two dates, newest first.
    EXPECT_EQ(Slot0().Day[0].Time, EncodeDate(2020, 11, 14));
    EXPECT_EQ(Slot0().Day[1].Time, EncodeDate(2020, 11, 13));
    EXPECT_EQ(Slot0().Day[1].Item[kAirTemperature].Valid, 1);
  }
}

// Saved back by a spreadsheet: no quotes, short lines without a trailing comma, one-digit
// month, day and hour, a quoted number, a garbled date.
TEST_F(RecordImportTest, AFileSavedBackByASpreadsheet) {
  const TImportResult r = Import(VELK_FIXTURES "/app/spreadsheet_saved.csv");
  ASSERT_TRUE(r.Summarized);
  EXPECT_EQ(stores->RoomEst[0].Data[1].Unit, "℃");
  EXPECT_EQ(stores->RoomEst[0].Data[1].LowerLimit, -5);
  EXPECT_EQ(stores->RoomInfo[0].RecCount, 4);
  EXPECT_EQ(Time(0), "2020/01/05 09:20");
  EXPECT_EQ(Time(3), "2020/01/05 09:05");
  const TItemStat& last905 = Slot0().Rec[3].Item[kAirTemperature];
  EXPECT_EQ(last905.Min, 23.2f);  // the last field's last character is kept
  EXPECT_EQ(Slot0().Rec[1].Item[kAirTemperature].Min, 23.0f);
  const TItemStat& quoted = Slot0().Rec[2].Item[kAirTemperature];
  EXPECT_EQ(quoted.Valid, 1);
  EXPECT_EQ(quoted.Avg, 0.0f);  // "23.5" does not convert
  EXPECT_EQ(quoted.Max, 24.0f);
  EXPECT_EQ(Slot0().Rec[0].Item[kSolarRadiation].Valid, 0);
  EXPECT_EQ(stores->RoomEvent[0].Event[0].Text, " 水やり");
  EXPECT_NE(r.Message.find("開始日時：2020/01/05 9:05:00"), std::string::npos);
}

TEST(RecordLineTest, FieldsConvertOrLeaveTheirPartAtZero) {
  struct Case {
    const char* line;
    bool accepted;
    int validItems;  // bit per item
    float airAvg, airMax, airMin;
    size_t memos;
  };
  const Case cases[] = {
      {"2020/11/13 09:05,1,2,3,21.5,22,21", true, 0b11, 21.5f, 22, 21, 0},
      {"2020/11/13 09:05,,,,21.5,,", true, 0b10, 21.5f, 0, 0, 0},
      {"2020/11/13 09:05,,,,\"21.5\",,,", true, 0b00, 0, 0, 0, 0},
      {"2020/11/13 09:05,,,,x,1e1,-0.5,", true, 0b10, 0, 10, -0.5f, 0},
      {"2020/11/13 9:5", true, 0, 0, 0, 0, 0},
      {"2020/11/13", true, 0, 0, 0, 0, 0},
      {"2020/13/13 09:05,1,1,1", false, 0, 0, 0, 0, 0},
      {"\"2020/11/13 09:05\",1,1,1", false, 0, 0, 0, 0, 0},
      {",1,1,1", false, 0, 0, 0, 0, 0},
      {"1899/12/30 00:00,1,1,1", false, 0, 0, 0, 0, 0},  // day 0 would be an empty record
      {"2020/11/13 09:05,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\"a\",,\"\",b\"c", true, 0, 0, 0, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TParsedRecordLine out;
    ASSERT_EQ(ParseRecordLine(c.line, out), c.accepted);
    if (!c.accepted) continue;
    int valid = 0;
    for (int n = 0; n < kItemCount; ++n) valid |= out.Record.Item[n].Valid << n;
    EXPECT_EQ(valid, c.validItems);
    EXPECT_EQ(out.Record.Item[1].Avg, c.airAvg);
    EXPECT_EQ(out.Record.Item[1].Max, c.airMax);
    EXPECT_EQ(out.Record.Item[1].Min, c.airMin);
    EXPECT_EQ(out.Memos.size(), c.memos);
  }
  TParsedRecordLine out;
  ASSERT_TRUE(
      ParseRecordLine("2020/11/13 09:05,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\"a\",,\"\",b\"c", out));
  EXPECT_EQ(out.Memos, (std::vector<std::string>{"a", "bc"}));
}

TEST(RecordLineTest, HeaderLines) {
  EXPECT_TRUE(IsRecordLine("\"2020/11/13 09:05\",1"));
  EXPECT_TRUE(IsRecordLine("2020/1/3"));
  EXPECT_FALSE(IsRecordLine(",2020/11/13"));
  EXPECT_FALSE(IsRecordLine("\"\",1"));
  EXPECT_FALSE(IsRecordLine("Date,Temp"));

  TRoomEst room;
  SetDefaultRoomEst(0, room);
  // 258 keeps its low 8 bits; a non-integer gives 0; empty fields and items past 10 are skipped.
  std::string items = ",\"A\",\"ccmA\",258,\"\",,2.5";
  for (int n = 2; n < 9; ++n) items += ",n,c,1";
  items += ",\"X\",\"ccmX\",1,\"Eleventh\",\"c\",4,";
  ParseItemLine(items, room);
  EXPECT_EQ(room.Data[0].Name, "A");
  EXPECT_EQ(room.Data[0].CCM, "ccmA");
  EXPECT_EQ(room.Data[0].Dec, 2);
  EXPECT_EQ(room.Data[1].Name, "気温");
  EXPECT_EQ(room.Data[1].Dec, 0);
  EXPECT_EQ(room.Data[9].Name, "X");
  ParseUnitLine(",\"u\",40,abc,\"℃\",\"35\",", room);
  EXPECT_EQ(room.Data[0].Unit, "u");
  EXPECT_EQ(room.Data[0].UpperLimit, 40);
  EXPECT_EQ(room.Data[0].LowerLimit, 0);
  EXPECT_EQ(room.Data[1].UpperLimit, 35);  // header values lose their quotes

  EXPECT_TRUE(ParseNameLine(",東棟", room));
  EXPECT_FALSE(ParseNameLine("Greenhouse,1", room));
  EXPECT_EQ(FormatStandardDateTime(EncodeDateTime(2020, 1, 5, 9, 5, 3)), "2020/01/05 9:05:03");
  EXPECT_EQ(FormatStandardDateTime(EncodeDate(2020, 1, 5)), "2020/01/05");
  EXPECT_EQ(FormatStandardDateTime(EncodeTime(13, 0)), "13:00:00");
}

// The buffer against the far-end insertion it stands for, on a small ring: random times with
// many repeats, in runs forwards and backwards, far beyond the capacity.
TEST(FileRecordBufferTest, KeepsWhatFarEndInsertionAndCompactionKeep) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    const int capacity = 1 + static_cast<int>(rng() % 12);
    std::vector<TRecDat> literal(static_cast<size_t>(capacity) + 1);
    for (TRecDat& r : literal) ClearRecord(r);
    TFileRecordBuffer buffer(capacity);
    const int count = static_cast<int>(rng() % 40);
    for (int i = 0; i < count; ++i) {
      TRecDat r{};
      r.Time = 1 + static_cast<double>(rng() % 8) + (round % 3 == 0 ? i * 0.01 : 0);
      r.Item[0].Avg = static_cast<float>(i);  // tells equal times apart
      const bool kept = InsertRecordByTime(std::span<TRecDat>(literal), r);
      ASSERT_EQ(buffer.InsertFileRecord(r), kept);
    }
    std::stable_partition(literal.begin(), literal.end(),
                          [](const TRecDat& r) { return r.Time != 0; });
    std::vector<TRecDat> ring(literal.size());
    buffer.CompactFileRecords(ring);
    for (size_t p = 0; p < ring.size(); ++p) {
      ASSERT_EQ(ring[p].Time, literal[p].Time) << "round " << round << " position " << p;
      if (ring[p].Time != 0) {
        ASSERT_EQ(ring[p].Item[0].Avg, literal[p].Item[0].Avg);
      }
    }
  }
}

TEST_F(RecordImportTest, OrderAndLengthOfTheFile) {
  // Reverse order ends up in time order.
  std::string text;
  for (int i = 20; i >= 1; --i) {
    text +=
        FormatRecordCsvLine("", Rec(EncodeDateTime(2021, 1, 1, 0, 0) + i * kPeriodDays, float(i)));
  }
  ASSERT_TRUE(Import(Write("reverse.csv", text)).Summarized);
  EXPECT_EQ(Time(0), "2021/01/01 01:40");
  EXPECT_EQ(Time(19), "2021/01/01 00:05");
  EXPECT_EQ(Slot0().Rec[19].Item[kAirTemperature].Avg, 1.0f);

  // A file longer than the ring keeps its oldest 105,119 records, in a run without gaps.
  const TDateTime first = EncodeDateTime(2019, 1, 1, 0, 0);
  const int lines = kRingLast + 200;
  text.clear();
  text.reserve(static_cast<size_t>(lines) * 24);
  for (int i = 0; i < lines; ++i) {
    text += FormatDateTime(kFmtRecordTime, first + i * kPeriodDays) + ",,,,20,\r\n";
  }
  const TImportResult r = Import(Write("long.csv", text));
  ASSERT_TRUE(r.Summarized);
  EXPECT_EQ(stores->RoomInfo[0].RecCount, kRingLast);
  EXPECT_EQ(stores->RoomInfo[0].StartDate, Slot0().Rec[kRingLast - 1].Time);
  EXPECT_EQ(Time(kRingLast - 1), "2019/01/01 00:00");
  EXPECT_EQ(Time(0), FormatDateTime(kFmtRecordTime, first + (kRingLast - 1) * kPeriodDays));
  EXPECT_EQ(Slot0().Rec[kRingLast].Time, 0);
  EXPECT_NE(r.Message.find("終了日時：" + FormatStandardDateTime(Slot0().Rec[0].Time)),
            std::string::npos);
}

TEST_F(RecordImportTest, WhatEndsTheImportAndWhatDoesNot) {
  // A plain word on the first line: logged, no box; a file with no valid item: the failure box.
  const TImportResult word =
      Import(Write("word.csv", "Greenhouse,1\r\n2020/11/13 09:05,1,1,1,\r\n"));
  EXPECT_FALSE(word.Read);
  EXPECT_TRUE(word.Message.empty());
  EXPECT_NE(LogText().find("Main: CSVファイル読込異常: " + t.folder.Path() + "word.csv"),
            std::string::npos);
  EXPECT_EQ(Slot0().Rec[0].Time, 0);

  const TImportResult noValid = Import(Write("novalid.csv", "2020/11/13 09:05,,,,\r\n"));
  EXPECT_TRUE(noValid.Read);
  EXPECT_FALSE(noValid.Summarized);
  EXPECT_EQ(noValid.Message, "読込に失敗しました");
  EXPECT_EQ(stores->RoomInfo[0].RecCount, 0);

  // Only record lines, no header: the default items of slot 0 stay.
  stores->RoomEst[0].Data[0].Name = "changed";
  ASSERT_TRUE(Import(Write("plain.csv", "2020/11/13 09:05,1,1,1,\r\n")).Summarized);
  EXPECT_EQ(stores->RoomEst[0].Data[0].Name, "日射量");

  // An unreadable path keeps slot 0's records; settings go back to the defaults.
  stores->RoomEst[0].Data[0].Name = "changed";
  EXPECT_FALSE(Import(t.folder.Path() + "missing.csv").Read);
  EXPECT_FALSE(Import(t.folder.Path()).Read);  // a folder
  EXPECT_EQ(stores->RoomEst[0].Data[0].Name, "日射量");
  EXPECT_EQ(stores->RoomInfo[0].RecCount, 1);
  EXPECT_NE(Slot0().Rec[0].Time, 0);
}

TEST_F(RecordImportTest, ImportingTwiceWritesTheMemosTwiceButHoldsThemOnce) {
  const std::string path = Write("Room1.csv", Utf8ToCp932(SystemFile()));
  ASSERT_TRUE(Import(path).Read);
  ASSERT_TRUE(Import(path).Read);
  EXPECT_EQ(stores->RoomEvent[0].Count, 1);
  const std::string month = test::ReadFile(GetMonthFilePath(t.env, 0, EncodeDate(2020, 11, 13)));
  const std::string line = FormatMonthEventLine(stores->RoomEvent[0].Event[0]);
  EXPECT_NE(month.find(line), month.rfind(line));
  EXPECT_NE(month.find(line), std::string::npos);
}

TEST_F(RecordImportTest, TheGaugeFollowsTheLines) {
  for (const int lines : {5, 1000}) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += "2020/11/13 09:05,1,1,1,\r\n";
    std::vector<float> steps;
    ImportRecordCsv(*stores, t.env, Write("g.csv", text), [&](float f) { steps.push_back(f); });
    SCOPED_TRACE(lines);
    EXPECT_EQ(steps.size(), lines < 300 ? size_t(lines) : size_t(lines / 10));
    EXPECT_EQ(steps.front(), 0.0f);
    EXPECT_FLOAT_EQ(steps.back(), lines < 300 ? 4.0f / 5 : 0.99f);
  }
}

// Files chosen by accident end with a result, quickly and within bounded memory.
TEST_F(RecordImportTest, AccidentalFiles) {
  std::mt19937 rng(3);
  std::string binary(1 << 20, '\0');
  for (char& c : binary) c = static_cast<char>(rng());
  EXPECT_FALSE(Import(Write("binary.bin", binary)).Summarized);
  const TImportResult empty = Import(Write("empty.csv", ""));
  EXPECT_TRUE(empty.Read);
  EXPECT_EQ(empty.Message, "読込に失敗しました");

  // A record line with endless memo fields: the last 500 become events, in memory and in the
  // monthly file (which would otherwise grow by a line per field). Full-size cases (a 50 MB line,
  // ten million lines) are in the import benchmark.
  std::string line = "2020/11/13 09:05,1,1,1" + std::string(27, ',');
  for (int i = 0; i < 20'000; ++i) line += ",m" + std::to_string(i);
  ASSERT_TRUE(Import(Write("line.csv", line)).Summarized);
  EXPECT_EQ(stores->RoomEvent[0].Count, kEventCount);
  EXPECT_EQ(stores->RoomEvent[0].Event[0].Text, "m19999");
  EXPECT_EQ(stores->RoomEvent[0].Event[kEventCount - 1].Text, "m19500");
  const std::string month = test::ReadFile(GetMonthFilePath(t.env, 0, EncodeDate(2020, 11, 13)));
  EXPECT_EQ(std::count(month.begin(), month.end(), '\n'), kEventCount);

  // Larger than any record file: not read.
  const std::string big = t.folder.Path() + "big.csv";
  std::filesystem::resize_file(Write("big.csv", ""), kMaxImportFileBytes + 1);
  EXPECT_FALSE(Import(big).Read);
}

}  // namespace
}  // namespace velk
