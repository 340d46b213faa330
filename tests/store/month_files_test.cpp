// SPDX-License-Identifier: MIT
#include "store/month_files.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <iterator>
#include <map>
#include <random>
#include <thread>
#include <vector>

#include "base/date_format.h"
#include "base/file_io.h"
#include "base/number_format.h"
#include "store/record_csv.h"
#include "store/record_ring.h"
#include "store/record_stats.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

constexpr char kFixture[] = VELK_FIXTURES "/store/month_blank_line_torn_end.TDB";

std::string Text(TDateTime t) {
  return FormatDateTime(kFmtRecordTime, t);
}

std::string LogText(const test::TestEnv& t) {
  return test::ReadFile(GetLogFilePath(t.env, t.env.Now()));
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TRecDat Sample(TDateTime time, float base) {
  TRecDat r{};
  r.Time = time;
  for (int n = 0; n < kItemCount; ++n) {
    if (n == kCO2) continue;  // one invalid item in every record
    r.Item[n] = {1, base + 0.1f * n, base + 0.1f * n + 0.5f, base - 0.3f};
  }
  return r;
}

void ExpectSameCells(const TRecDat& got, const TRecDat& want) {
  for (int n = 0; n < kItemCount; ++n) {
    EXPECT_EQ(got.Item[n].Valid, want.Item[n].Valid) << n;
    if (!want.Item[n].Valid) continue;
    EXPECT_EQ(got.Item[n].Avg, want.Item[n].Avg) << n;
    EXPECT_EQ(got.Item[n].Max, want.Item[n].Max) << n;
    EXPECT_EQ(got.Item[n].Min, want.Item[n].Min) << n;
  }
}

TEST(MonthFiles, FileNamesFollowTheMonthOfTheLine) {
  test::TestEnv t;
  const std::string rcd = GetRcdFolder(t.env) + "/";
  EXPECT_EQ(GetMonthFilePath(t.env, 1, EncodeDateTime(2020, 12, 31, 23, 55)),
            rcd + "Room1_202012.TDB");
  EXPECT_EQ(GetMonthFilePath(t.env, 1, EncodeDateTime(2021, 1, 1, 0, 0)), rcd + "Room1_202101.TDB");
  EXPECT_EQ(GetMonthFilePath(t.env, 2, EncodeDateTime(2020, 11, 13, 9, 5)),
            rcd + "Room2_202011.TDB");
  EXPECT_THROW(GetMonthFilePath(t.env, 6, 1.0), std::out_of_range);
}

TEST(MonthFiles, ThirteenMonthsFromTheDateAYearBefore) {
  struct Case {
    TDateTime today;
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {EncodeDate(2020, 11, 13), "2019/11", "2020/11"},
      {EncodeDate(2021, 3, 1), "2020/03", "2021/03"},  // 365 days back across a 29 February
      {EncodeDate(2021, 1, 15), "2020/01", "2021/01"},
  };
  for (const Case& c : cases) {
    TDateTime months[13];
    GetLoadMonths(c.today, months);
    EXPECT_EQ(FormatDateTime("yyyy/mm", months[0]), c.first);
    EXPECT_EQ(FormatDateTime("yyyy/mm", months[12]), c.last);
    for (int i = 1; i < 13; ++i) EXPECT_GT(months[i], months[i - 1]);
  }
}

TEST(MonthFiles, RecordLinesAreWrittenInTheGeneralForm) {
  TRecDat r{};
  r.Time = EncodeDateTime(2020, 11, 13, 9, 5, 0, 400);
  r.Item[0] = {1, 0.5f, 0.6f, 0.4f};
  r.Item[1] = {1, 23.6f, 24, 23.2f};
  EXPECT_EQ(FormatMonthRecordLine(r),
            "T,2020/11/13 09:05,0.5,0.600000023841858,0.400000005960464,23.6000003814697,24,"
            "23.2000007629395,,,,,,,,,,,,,,,,,,,,,,,,,");
  TEventBase e{EncodeDateTime(2020, 11, 13, 9, 12), "定植日, 畝1", {}};
  EXPECT_EQ(FormatMonthEventLine(e), "E,2020/11/13 09:12,\"定植日, 畝1\",");
}

TEST(MonthFiles, RecordLinesParse) {
  test::TestEnv t;
  struct Case {
    const char* line;
    bool ok;
    std::map<int, TItemStat> cells;  // the valid ones
  };
  const Case cases[] = {
      {"T,2020/11/13 09:05,21.5,,,", true, {{0, {1, 21.5f, 0, 0}}}},
      // Torn by a power cut: the field without its "," is not read.
      {"T,2020/11/13 09:05,21.5,22.5,23", true, {{0, {1, 21.5f, 22.5f, 0}}}},
      {"T,2020/11/13 09:0", false, {}},
      {"T,2020/11/13 09:05,,,,1,x,-3,", true, {{1, {1, 1, 0, -3}}}},
      {"T,2020/11/13 09:05,\"2.5\",,,", true, {{0, {1, 2.5f, 0, 0}}}},
      {"T,2020/11/13 09:05,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,9,9,9,", true, {}},  // beyond item 9
      {"T,2020/11/13 09:05,1e2,,,", true, {{0, {1, 100, 0, 0}}}},
      // Beyond single precision: not converted, like any unreadable number.
      {"T,2020/11/13 09:05,1e39,3.5,-1e39,1e39,\"-4e38\",1e300,", true, {{0, {1, 0, 3.5f, 0}}}},
      {"T,2020/11/13 09:05,3.4028234e38,,,", true, {{0, {1, 3.4028234e38f, 0, 0}}}},
      {"T,2020/11/31 09:05,1,2,3,", false, {}},
      {"T,,1,2,3,", false, {}},
      {"T,0:0:12,1,2,3,", false, {}},  // a time of day without a date
      {"T", false, {}},
  };
  for (const Case& c : cases) {
    TRecDat r;
    r.Item[5] = {1, 7, 7, 7};  // cleared first
    ASSERT_EQ(ParseMonthRecordLine(t.env, c.line, r), c.ok) << c.line;
    if (!c.ok) continue;
    EXPECT_EQ(Text(r.Time), "2020/11/13 09:05") << c.line;
    for (int n = 0; n < kItemCount; ++n) {
      const auto it = c.cells.find(n);
      const TItemStat want = it == c.cells.end() ? TItemStat{0, 0, 0, 0} : it->second;
      EXPECT_EQ(r.Item[n].Valid, want.Valid) << c.line << " item " << n;
      EXPECT_EQ(r.Item[n].Avg, want.Avg) << c.line << " item " << n;
      EXPECT_EQ(r.Item[n].Max, want.Max) << c.line << " item " << n;
      EXPECT_EQ(r.Item[n].Min, want.Min) << c.line << " item " << n;
    }
  }
  TRecDat full = Sample(EncodeDateTime(2020, 11, 13, 9, 5), 23.6f), back;
  ASSERT_TRUE(ParseMonthRecordLine(t.env, FormatMonthRecordLine(full), back));
  ExpectSameCells(back, full);
}

TEST(MonthFiles, EventLinesParse) {
  test::TestEnv t;
  struct Case {
    const char* line;
    bool ok;
    const char* text;
  };
  const Case cases[] = {
      {"E,2020/11/13 09:12,\"定植日\",", true, "定植日"},
      {"E,2020/11/13 09:12,\"a, b\",", true, "a, b"},
      {"E,2020/11/13 09:12,\"say \"hi\" now\",", true, "say "},  // read up to the quote
      {"E,2020/11/13 09:12,plain,more,", true, "plain"},
      {"E,2020/11/13 09:12", true, ""},
      {"E,13/11/2020 09:12,\"x\",", false, ""},
      {"E,0:0:12,\"x\",", false, ""},
  };
  for (const Case& c : cases) {
    TEventBase e;
    e.Text = "old";
    ASSERT_EQ(ParseMonthEventLine(t.env, c.line, e), c.ok) << c.line;
    if (!c.ok) continue;
    EXPECT_EQ(Text(e.Date), "2020/11/13 09:12") << c.line;
    EXPECT_EQ(e.Text, c.text) << c.line;
  }
}

TEST(MonthFiles, ABlankLineATornLineAndAMarkDoNotLoseRecords) {
  test::TestEnv t(EncodeDateTime(2020, 11, 13, 9, 17));
  ASSERT_TRUE(EnsureFolders(t.env));
  const std::string path = GetMonthFilePath(t.env, 1, t.env.Now());
  test::WriteFile(path, test::ReadFile(kFixture));

  TRoomDatPtr store = NewRoomDat();
  EXPECT_TRUE(LoadRoomRecords(t.env, 1, *store));
  const char* want[] = {"09:20", "09:15", "09:10", "09:05", "09:00"};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(FormatDateTime("hh:nn", store->Rec[k].Time), want[k]);
  EXPECT_EQ(store->Rec[5].Time, 0);
  EXPECT_EQ(store->Rec[4].Item[0].Avg, 20.5f);
  EXPECT_EQ(store->Rec[2].Item[0].Max, 0);  // "x" skipped
  EXPECT_EQ(store->Rec[2].Item[0].Min, 21.5f);
  EXPECT_EQ(store->Rec[1].Item[0].Avg, 23);  // the torn last line still reads

  // An append after the torn line closes it first.
  TRecDat next = Sample(EncodeDateTime(2020, 11, 13, 9, 20), 1);
  ASSERT_TRUE(AppendMonthRecord(t.env, 1, next));
  const std::string bytes = test::ReadFile(path);
  EXPECT_NE(bytes.find("23,23,23,\r\nT,2020/11/13 09:20,"), std::string::npos);
  ASSERT_TRUE(AppendMonthRecord(t.env, 1, next));
  EXPECT_EQ(test::ReadFile(path), bytes + FormatMonthRecordLine(next) + "\r\n");

  TRoomEventDat events;
  EXPECT_TRUE(LoadRoomEvents(t.env, 1, events));
  EXPECT_EQ(events.Event[0].Text, "定植日");
  EXPECT_EQ(events.Count, 1);
}

TEST(MonthFiles, AnAppendCompletesALastLineEndInsteadOfAddingOne) {
  const std::string line = FormatMonthRecordLine(Sample(EncodeDateTime(2020, 11, 13, 9, 5), 1));
  for (const auto& [existing, want] :
       {std::pair<std::string, std::string>{"E,2020/11/13 09:00,\"a\",\n",
                                            "E,2020/11/13 09:00,\"a\",\n"},
        {"E,2020/11/13 09:00,\"a\",\r", "E,2020/11/13 09:00,\"a\",\r\n"},
        {"E,2020/11/13 09:00,\"a\",\r\n", "E,2020/11/13 09:00,\"a\",\r\n"},
        {"E,2020/11/13 09:00,\"a", "E,2020/11/13 09:00,\"a\r\n"},
        {"", ""}}) {
    test::TestEnv t;
    ASSERT_TRUE(EnsureFolders(t.env));
    const std::string path = GetMonthFilePath(t.env, 1, t.env.Now());
    if (!existing.empty()) test::WriteFile(path, existing);
    ASSERT_TRUE(AppendMonthRecord(t.env, 1, Sample(EncodeDateTime(2020, 11, 13, 9, 5), 1)));
    EXPECT_EQ(test::ReadFile(path), want + line + "\r\n") << existing;
  }
}

// The records of the ring by their time in whole minutes.
std::map<int64_t, const TRecDat*> ByMinute(const TRoomDat& store) {
  std::map<int64_t, const TRecDat*> out;
  for (const TRecDat& r : store.Rec) {
    if (r.Time != 0) out[ToMilliseconds(r.Time) / 60000] = &r;
  }
  return out;
}

const TRecDat* FindByTime(const std::map<int64_t, const TRecDat*>& ring, TDateTime time) {
  const auto it = ring.find(ToMilliseconds(time) / 60000);
  return it == ring.end() ? nullptr : it->second;
}

// What an append after a file ending in `tail` writes first, to close a torn last line.
std::string Closing(const std::string& tail) {
  if (tail.empty() || tail.back() == '\n') return "";
  return tail.back() == '\r' ? "\n" : "\r\n";
}

TEST(MonthFiles, ALineTornAtAnyByteLosesNothingBeforeItAndIsClosedByTheNextAppend) {
  const TDateTime base = EncodeDateTime(2020, 11, 13, 9, 0);
  std::string head;
  std::vector<TRecDat> complete;
  for (int i = 0; i < 3; ++i) {
    complete.push_back(Sample(base + i * kPeriodDays, 10.0f * static_cast<float>(i + 1)));
    head += FormatMonthRecordLine(complete.back()) + "\r\n";
  }
  TRecDat torn{};
  torn.Time = base + 3 * kPeriodDays;
  torn.Item[0] = {1, 1234.5f, 1240.25f, 1200.125f};
  torn.Item[1] = {1, 23.6f, 24, 23.2f};
  const TRecDat next = Sample(base + 4 * kPeriodDays, 50);
  const std::string tornLine = FormatMonthRecordLine(torn) + "\r\n";
  TRoomDatPtr store = NewRoomDat();
  for (size_t k = 0; k < tornLine.size(); ++k) {
    SCOPED_TRACE("torn after " + std::to_string(k) + " bytes");
    test::TestEnv t(EncodeDateTime(2020, 11, 13, 9, 22));
    ASSERT_TRUE(EnsureFolders(t.env));
    const std::string path = GetMonthFilePath(t.env, 1, base);
    const std::string before = head + tornLine.substr(0, k);
    test::WriteFile(path, before);

    ClearRoomRecords(*store);
    ASSERT_TRUE(LoadRoomRecords(t.env, 1, *store));
    const auto ring = ByMinute(*store);
    for (const TRecDat& r : complete) {
      const TRecDat* got = FindByTime(ring, r.Time);
      ASSERT_NE(got, nullptr);
      ExpectSameCells(*got, r);
    }
    // What is read of the torn line was written: whole values or nothing.
    if (const TRecDat* got = FindByTime(ring, torn.Time)) {
      for (int n = 0; n < kItemCount; ++n) {
        const TItemStat& c = got->Item[n];
        if (!c.Valid) continue;
        ASSERT_TRUE(torn.Item[n].Valid);
        EXPECT_TRUE(c.Avg == torn.Item[n].Avg || c.Avg == 0);
        EXPECT_TRUE(c.Max == torn.Item[n].Max || c.Max == 0);
        EXPECT_TRUE(c.Min == torn.Item[n].Min || c.Min == 0);
      }
    }

    ASSERT_TRUE(AppendMonthRecord(t.env, 1, next));
    EXPECT_EQ(test::ReadFile(path),
              before + Closing(before) + FormatMonthRecordLine(next) + "\r\n");
    ClearRoomRecords(*store);
    ASSERT_TRUE(LoadRoomRecords(t.env, 1, *store));
    const TRecDat* got = FindByTime(ByMinute(*store), next.Time);
    ASSERT_NE(got, nullptr);
    ExpectSameCells(*got, next);
  }
}

// The lines of `bytes` that end in CR LF, and what follows the last of them.
std::vector<std::string> CompleteLines(const std::string& bytes, std::string& rest) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  rest = bytes.substr(start);
  return lines;
}

TEST(MonthFiles, AProcessKilledWhileAppendingLeavesOnlyWholeLinesAndOneTornOne) {
  const TDateTime base = EncodeDateTime(2020, 11, 1, 0, 0);
  const auto record = [&](int i) {
    return Sample(base + i * kPeriodDays, 0.25f * static_cast<float>(i));
  };
  constexpr int kMaxRecords = 4000;  // two weeks: all in November
  std::mt19937 rng(17);
  TRoomDatPtr store = NewRoomDat();
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    test::TestEnv t(EncodeDateTime(2020, 11, 30, 12, 0));
    ASSERT_TRUE(EnsureFolders(t.env));
    const std::string month = GetMonthFilePath(t.env, 1, base);
    const std::string csv = GetRecordCsvPath(t.env, 1);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The recorder's 5-minute closing, as fast as it can go, until it is killed.
      for (int i = 0; i < kMaxRecords; ++i) {
        AppendMonthRecord(t.env, 1, record(i));
        AppendRecordCsv(t.env, 1, "", record(i));
      }
      for (;;) pause();
    }
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + rng() % 30000));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    // Whole lines are the records in order; at most the last one is torn.
    std::string rest;
    const std::vector<std::string> lines = CompleteLines(test::ReadFile(month), rest);
    for (size_t i = 0; i < lines.size(); ++i) {
      ASSERT_EQ(lines[i], FormatMonthRecordLine(record(static_cast<int>(i))));
    }
    const int written = static_cast<int>(lines.size());
    ASSERT_EQ((FormatMonthRecordLine(record(written)) + "\r\n").substr(0, rest.size()), rest);
    std::string csvRest;
    const std::vector<std::string> csvLines = CompleteLines(test::ReadFile(csv), csvRest);
    ASSERT_LE(csvLines.size(), lines.size() + 1);
    for (size_t i = 0; i < csvLines.size(); ++i) {
      ASSERT_EQ(csvLines[i] + "\r\n", FormatRecordCsvLine("", record(static_cast<int>(i))));
    }

    // The next start loads every whole line; the next closing closes the torn one.
    ClearRoomRecords(*store);
    ASSERT_EQ(LoadRoomRecords(t.env, 1, *store), FileExists(month));
    const auto ring = ByMinute(*store);
    for (int i = 0; i < written; ++i) {
      const TRecDat* got = FindByTime(ring, record(i).Time);
      ASSERT_NE(got, nullptr) << i;
      ExpectSameCells(*got, record(i));
    }
    const TRecDat next = record(kMaxRecords);
    ASSERT_TRUE(AppendMonthRecord(t.env, 1, next));
    ASSERT_TRUE(AppendRecordCsv(t.env, 1, "", next));
    const std::string after = test::ReadFile(month);
    ASSERT_EQ(after.substr(after.size() - FormatMonthRecordLine(next).size() - 2),
              FormatMonthRecordLine(next) + "\r\n");
    CompleteLines(after, rest);
    ASSERT_TRUE(rest.empty());
    const std::vector<std::string> afterLines = CompleteLines(test::ReadFile(csv), csvRest);
    ASSERT_TRUE(csvRest.empty());
    ASSERT_EQ(afterLines.back() + "\r\n", FormatRecordCsvLine("", next));
  }
}

TEST(MonthFiles, AFirstStartLogsEveryMissingMonthOfBothLoaders) {
  test::TestEnv t;
  ASSERT_TRUE(EnsureFolders(t.env));
  TRoomDatPtr store = NewRoomDat();
  TRoomEventDat events;
  EXPECT_FALSE(LoadRoomRecords(t.env, 3, *store));
  EXPECT_FALSE(LoadRoomEvents(t.env, 3, events));
  const std::string log = LogText(t);
  EXPECT_EQ(Count(log, "DataAccess: TDBファイル日データ読込失敗: "), 13);
  EXPECT_EQ(Count(log, "DataAccess: TDBファイルイベント情報読込失敗: "), 13);
  EXPECT_NE(log.find("読込失敗: " + GetRcdFolder(t.env) + "/Room3_201911.TDB,"), std::string::npos);
  EXPECT_NE(log.find("読込失敗: " + GetRcdFolder(t.env) + "/Room3_202011.TDB,"), std::string::npos);
  EXPECT_EQ(store->Rec[0].Time, 0);
}

TEST(MonthFiles, EventsCarriedFromTheRecordLoadMatchASecondRead) {
  test::TestEnv t(EncodeDateTime(2020, 11, 13, 9, 17));
  ASSERT_TRUE(EnsureFolders(t.env));
  test::WriteFile(GetMonthFilePath(t.env, 1, t.env.Now()), test::ReadFile(kFixture));
  TEventBase later{EncodeDateTime(2020, 11, 13, 9, 16), "摘心", {}};
  ASSERT_TRUE(AppendMonthEvent(t.env, 1, later));

  TRoomDatPtr store = NewRoomDat();
  TMonthEventLines carried;
  EXPECT_TRUE(LoadRoomRecords(t.env, 1, *store, &carried));
  EXPECT_EQ(carried.UnreadableFiles.size(), 12u);  // every month but November 2020
  TRoomEventDat once, twice;
  EXPECT_TRUE(LoadRoomEvents(t.env, 1, once, &carried));
  EXPECT_TRUE(LoadRoomEvents(t.env, 1, twice));
  ASSERT_EQ(once.Count, 2);
  EXPECT_EQ(once.Count, twice.Count);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(once.Event[i].Date, twice.Event[i].Date);
    EXPECT_EQ(once.Event[i].Text, twice.Event[i].Text);
  }
  EXPECT_EQ(once.Event[0].Text, "摘心");
  // Both ways log the unreadable months of the event loader.
  EXPECT_EQ(Count(LogText(t), "DataAccess: TDBファイルイベント情報読込失敗: "), 24);
}

TEST(MonthFiles, AppendFailuresAreLogged) {
  test::TestEnv t;
  ASSERT_TRUE(CreateFolders(GetLogFolder(t.env)));  // no record folder
  TRecDat r = Sample(t.env.Now(), 1);
  EXPECT_FALSE(AppendMonthRecord(t.env, 1, r));
  EXPECT_FALSE(AppendMonthEvent(t.env, 1, TEventBase{t.env.Now(), "メモ", {}}));
  const std::string path = GetMonthFilePath(t.env, 1, r.Time);
  EXPECT_NE(LogText(t).find("DataAccess: TDBファイル時データ追記失敗: " + path + ","),
            std::string::npos);
  EXPECT_NE(LogText(t).find("DataAccess: TDBファイルイベント書込失敗: " + path + ","),
            std::string::npos);
}

TEST(MonthFiles, RecordsWrittenAndLoadedBackLandOnTheFiveMinuteGrid) {
  // Across a month end, with the recorder off from 23:30 to 00:30 and a restart at 03:12.
  test::TestEnv t(EncodeDateTime(2020, 11, 1, 3, 12, 40));
  ASSERT_TRUE(EnsureFolders(t.env));
  std::map<int64_t, TRecDat> written;  // by time in whole minutes
  for (TDateTime time = EncodeDateTime(2020, 10, 31, 22, 0);
       time < EncodeDateTime(2020, 11, 1, 2, 1); time += kPeriodDays) {
    if (time > EncodeDateTime(2020, 10, 31, 23, 29) && time < EncodeDateTime(2020, 11, 1, 0, 31)) {
      continue;
    }
    const TRecDat r = Sample(time + 0.4 * kSecond, static_cast<float>(written.size()) * 0.37f);
    ASSERT_TRUE(AppendMonthRecord(t.env, 2, r));
    written[ToMilliseconds(time) / 60000] = r;
  }
  ASSERT_TRUE(FileExists(GetRcdFolder(t.env) + "/Room2_202010.TDB"));
  ASSERT_TRUE(FileExists(GetRcdFolder(t.env) + "/Room2_202011.TDB"));

  TRoomDatPtr store = NewRoomDat();
  ASSERT_TRUE(LoadRoomRecords(t.env, 2, *store));
  const TDateTime e = EncodeDateTime(2020, 11, 1, 3, 15);
  const int oldest =
      static_cast<int>((e - EncodeDateTime(2020, 10, 31, 22, 0)) / kPeriodDays + 0.5);
  size_t found = 0;
  for (int k = 0; k <= oldest; ++k) {
    const TDateTime grid = e - k * kPeriodDays;
    ASSERT_EQ(Text(store->Rec[k].Time), Text(grid)) << k;
    const auto it = written.find(ToMilliseconds(grid) / 60000);
    if (it == written.end()) {
      EXPECT_EQ(store->Rec[k].Item[kAirTemperature].Valid, 0) << k;
    } else {
      ExpectSameCells(store->Rec[k], it->second);
      ++found;
    }
  }
  EXPECT_EQ(found, written.size());
  EXPECT_EQ(store->Rec[oldest + 1].Time, 0);
  EXPECT_EQ(Text(store->Day[0].Time), "2020/11/01 00:00");
  EXPECT_EQ(Text(store->Day[1].Time), "2020/10/31 00:00");

  TRoomInfo info{};
  EXPECT_TRUE(ScanDataPeriod(*store, info));
  EXPECT_EQ(info.RecCount, static_cast<int>(written.size()));
}

TEST(MonthFiles, RecordsStampedInTheFutureDoNotWipeTheLoadedYear) {
  // Ten days of records, then one an hour and one three days after the clock (a clock set back).
  const TDateTime now = EncodeDateTime(2020, 11, 13, 9, 7, 30);
  test::TestEnv t(now);
  ASSERT_TRUE(EnsureFolders(t.env));
  const TDateTime newest = EncodeDateTime(2020, 11, 13, 9, 5);
  const int past = 10 * 288;
  for (int k = past - 1; k >= 0; --k) {
    ASSERT_TRUE(AppendMonthRecord(t.env, 1, Sample(newest - k * kPeriodDays, 1.0f + k)));
  }
  for (TDateTime ahead : {now + 1.0 / 24, now + 3.0}) {
    ASSERT_TRUE(AppendMonthRecord(t.env, 1, Sample(ahead, 99)));
  }

  TRoomDatPtr store = NewRoomDat();
  ASSERT_TRUE(LoadRoomRecords(t.env, 1, *store));
  EXPECT_EQ(Text(store->Rec[0].Time), "2020/11/13 09:10");
  for (int k = 0; k < past; ++k) {
    ASSERT_EQ(Text(store->Rec[k + 1].Time), Text(newest - k * kPeriodDays)) << k;
    ExpectSameCells(store->Rec[k + 1], Sample(newest, 1.0f + k));
  }
  EXPECT_EQ(store->Rec[past + 1].Time, 0);
  for (int d = 0; d < 10; ++d) {
    EXPECT_EQ(Text(store->Day[d].Time), Text(DateOf(newest) - d)) << d;
    EXPECT_EQ(store->Day[d].Item[kAirTemperature].Valid, 1) << d;
  }
  // The two records stay in their files; the load says once that it left them out.
  EXPECT_EQ(Count(LogText(t), "DataAccess: "), 12 + 1);
  EXPECT_NE(LogText(t).find("DataAccess: 現在より新しい時刻のデータを読み飛ばし: 部屋No.1 2件"),
            std::string::npos);
}

TEST(MonthFiles, ThirteenFullMonthsKeepTheNewestYear) {
  test::TestEnv t(EncodeDateTime(2020, 11, 13, 9, 7, 30));
  ASSERT_TRUE(EnsureFolders(t.env));
  std::map<std::string, std::string> files;
  const TDateTime newest = EncodeDateTime(2020, 11, 13, 9, 5);
  for (int k = 400 * 288; k >= 0; --k) {
    TRecDat r{};
    r.Time = newest - k * kPeriodDays;
    r.Item[0] = {1, static_cast<float>(k), 0, 0};
    std::string& f = files[GetMonthFilePath(t.env, 1, r.Time)];
    f += FormatMonthRecordLine(r);
    f += "\r\n";
  }
  for (const auto& [path, text] : files) test::WriteFile(path, text);

  TRoomDatPtr store = NewRoomDat();
  ASSERT_TRUE(LoadRoomRecords(t.env, 1, *store));
  EXPECT_EQ(Text(store->Rec[0].Time), "2020/11/13 09:10");
  EXPECT_EQ(store->Rec[0].Item[0].Valid, 0);
  for (int k = 1; k <= kRingLast; ++k) {
    ASSERT_EQ(store->Rec[k].Item[0].Valid, 1) << k;
    ASSERT_EQ(store->Rec[k].Item[0].Avg, static_cast<float>(k - 1)) << k;
  }
}

TEST(MonthFiles, EventsLoadNewestFirstInReadingOrderForEqualDates) {
  test::TestEnv t(EncodeDateTime(2020, 11, 13, 9, 0));
  ASSERT_TRUE(EnsureFolders(t.env));
  const TDateTime nov5 = EncodeDateTime(2020, 11, 5, 8, 0);
  for (const TEventBase& e :
       {TEventBase{nov5, "B", {}}, TEventBase{EncodeDate(2020, 10, 20), "A", {}},
        TEventBase{nov5, "C", {}}, TEventBase{EncodeDate(2020, 11, 1), "D", {}}}) {
    ASSERT_TRUE(AppendMonthEvent(t.env, 4, e));
  }
  TRoomEventDat events;
  ASSERT_TRUE(LoadRoomEvents(t.env, 4, events));
  std::vector<std::string> texts;
  for (const TEventBase& e : events.Event) {
    if (e.Date != 0) texts.push_back(e.Text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"C", "B", "D", "A"}));
  EXPECT_EQ(events.Count, 4);
  EXPECT_EQ(events.Event[4].Date, 0);
}

}  // namespace
}  // namespace velk

namespace velk {
namespace {

// The plain rule for a line without quotes: split at every ",", field 1 the time, then the
// values of items 0 to 9 by the strict number parse.
bool PlainRuleRecord(std::string_view line, TRecDat& r) {
  ClearRecord(r);
  if (!line.empty() && line.back() != ',') line = line.substr(0, line.rfind(',') + 1);
  std::vector<std::string_view> f;
  size_t start = 0;
  while (true) {
    const size_t c = line.find(',', start);
    f.push_back(
        line.substr(start, c == std::string_view::npos ? std::string_view::npos : c - start));
    if (c == std::string_view::npos) break;
    start = c + 1;
  }
  if (f.size() < 2 || !ParseDateTimeText(f[1], r.Time) || r.Time < 1) {
    r.Time = 0;
    return false;
  }
  for (size_t k = 2; k < f.size() && (k - 2) / 3 < kItemCount; ++k) {
    double v;
    if (f[k].empty() || !TryParseFloat(f[k], v) || std::fabs(v) > FLT_MAX) continue;
    TItemStat& cell = r.Item[(k - 2) / 3];
    const float single = static_cast<float>(v);
    if ((k - 2) % 3 == 0) cell.Avg = single;
    if ((k - 2) % 3 == 1) cell.Max = single;
    if ((k - 2) % 3 == 2) cell.Min = single;
    cell.Valid = 1;
  }
  return true;
}

TEST(MonthFiles, RecordLinesAgreeWithThePlainRuleOnRandomText) {
  test::TestEnv t;
  std::mt19937 rng(7);
  const std::string pieces[] = {"23.6000003814697",
                                "-0.5",
                                "12",
                                "",
                                "",
                                "1e-6",
                                "1E3",
                                "x",
                                "1.2.3",
                                "-",
                                ".",
                                "+7",
                                " 4",
                                "5 ",
                                "12345678901234567890",
                                "0.00000000000000000000001",
                                "3e400",
                                "1e39",
                                "-3.5e38",
                                "nan",
                                "\xE6\xB0\x97"};
  for (int round = 0; round < 3000; ++round) {
    std::string line = round % 7 == 0 ? "T,2020/13/01 09:05" : "T,2020/11/13 09:05";
    const int fields = static_cast<int>(rng() % 36);
    for (int i = 0; i < fields; ++i) line += "," + pieces[rng() % std::size(pieces)];
    if (rng() % 2) line += ',';
    TRecDat fast, plain;
    ASSERT_EQ(ParseMonthRecordLine(t.env, line, fast), PlainRuleRecord(line, plain)) << line;
    ASSERT_EQ(fast.Time, plain.Time) << line;
    for (int n = 0; n < kItemCount; ++n) {
      ASSERT_EQ(fast.Item[n].Valid, plain.Item[n].Valid) << line;
      ASSERT_EQ(fast.Item[n].Avg, plain.Item[n].Avg) << line;
      ASSERT_EQ(fast.Item[n].Max, plain.Item[n].Max) << line;
      ASSERT_EQ(fast.Item[n].Min, plain.Item[n].Min) << line;
    }
  }
}

}  // namespace
}  // namespace velk
