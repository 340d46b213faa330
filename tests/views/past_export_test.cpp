// SPDX-License-Identifier: MIT
#include "views/past_export.h"

#include <gtest/gtest.h>

#include "base/date_time.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "store/record_csv.h"
#include "store/system_log.h"
#include "support/test_env.h"
#include "views/room_fill.h"

namespace velk {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view l) { lines.emplace_back(l); });
  return lines;
}

TEST(PastExport, TheWindowsRecordsOldestFirstAfterTheHeader) {
  auto store = NewRoomDat();
  const double day = EncodeDate(2020, 11, 13);
  test::FillRing(*store, day + 3.5, 6 * 288);
  TRoomEst room;
  room.Name = "トマト棟";
  room.Data[1].Name = "気温";

  const auto week = Lines(FormatPastWindowCsv(room, *store, 1, day + 3));
  ASSERT_EQ(week.size(), 4u + 289u);
  EXPECT_EQ(week[0], ",トマト棟,");
  EXPECT_EQ(week[4], FormatRecordCsvLine("", store->Rec[1 + 288 + 144]).substr(0, week[4].size()));
  EXPECT_EQ(week[4].substr(0, 16), "2020/11/15 00:00");
  EXPECT_EQ(week.back().substr(0, 16), "2020/11/16 00:00");

  const auto month = Lines(FormatPastWindowCsv(room, *store, 30, day + 4));
  ASSERT_EQ(month.size(), 4u + 7u) << "the seven dates holding data";
  EXPECT_EQ(month[4].substr(0, 16), "2020/11/10 00:00");
  EXPECT_EQ(month.back().substr(0, 16), "2020/11/16 00:00");
}

TEST(PastExport, SavedInCodePage932WithCrLfAndFailuresLogged) {
  test::TestEnv t;
  ASSERT_TRUE(EnsureFolders(t.env));
  auto store = NewRoomDat();
  test::FillRing(*store, EncodeDate(2020, 11, 13) + 0.5, 300);
  TRoomEst room;
  room.Name = "トマト棟";
  const std::string path = t.folder.Path() + "week.csv";
  ASSERT_TRUE(SavePastWindowCsv(t.env, path, room, *store, 1, EncodeDate(2020, 11, 14)));
  const std::string bytes = test::ReadFile(path);
  std::string text;
  ASSERT_TRUE(Cp932ToUtf8(bytes, text));
  EXPECT_EQ(text, FormatPastWindowCsv(room, *store, 1, EncodeDate(2020, 11, 14)));
  EXPECT_EQ(bytes.find("\r\n"), bytes.find('\n') - 1);

  EXPECT_FALSE(SavePastWindowCsv(t.env, t.folder.Path() + "missing/x.csv", room, *store, 1,
                                 EncodeDate(2020, 11, 14)));
  EXPECT_NE(test::ReadFile(GetLogFilePath(t.env, t.env.Now())).find("PastStatus: CSV保存失敗: "),
            std::string::npos);
}

}  // namespace
}  // namespace velk
