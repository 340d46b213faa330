// SPDX-License-Identifier: MIT
#include "store/record_csv.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

std::string LogText(const test::TestEnv& t) {
  return test::ReadFile(GetLogFilePath(t.env, t.env.Now()));
}

TRecDat Example() {
  TRecDat r{};
  r.Time = EncodeDateTime(2020, 11, 13, 9, 5, 30);
  r.Item[0] = {1, 0.5f, 0.6f, 0.4f};
  r.Item[1] = {1, 23.6f, 24, 23.2f};
  r.Item[2] = {0, 50, 60, 40};  // not valid: written empty whatever it holds
  return r;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(RecordCsv, TheHeaderOfTheDefaultItems) {
  test::TestEnv t;
  ASSERT_TRUE(EnsureFolders(t.env));
  TRoomEst room;
  SetDefaultRoomEst(1, room);
  const std::string path = GetRecordCsvPath(t.env, 1);
  EXPECT_EQ(path, t.folder.Path() + "Room1.csv");
  test::WriteFile(path, "an older cultivation\r\n2020/01/01 00:00,\r\n");
  ASSERT_TRUE(CreateRecordCsv(t.env, 1, room));

  const std::string want =
      ",栽培室1,\r\n"
      ",\"日射量\",\"InRadiation\",2,\"気温\",\"InAirTemp\",1,\"湿度\",\"InAirHumid\",1,"
      "\"CO2濃度\",\"InCO2Dens\",0,\"飽差\",\"InAirSatuDef.mIA\",3,\"結露温度\","
      "\"InAirDewTemp.mIA\",1,\"水蒸気量\",\"InAirHumidSH.mIA\",3,\"地温\",\"SoilTemp.mIA\",1,"
      "\"土壌水分\",\"SoilMoisture\",1,\"風速\",\"InWindSpeed.mIA\",2,\r\n"
      ",\"kW/㎡(MJ)\",0,0,\"℃\",0,0,\"％\",0,0,\"ppm\",0,0,\"g/kg\",0,0,\"℃\",0,0,\"g/kg\",0,0,"
      "\"℃\",0,0,\"%\",0,0,\"m/s\",0,0,\r\n" +
      ("," + Repeat("\"平均\",\"最大\",\"最小\",", 10) + "\"出来事\",\r\n");
  const std::string bytes = test::ReadFile(path);
  EXPECT_EQ(bytes, Utf8ToCp932(want));  // code page 932, no mark, the old file gone
  EXPECT_EQ(DecodeText(bytes, TTextEncoding::Cp932), want);
}

TEST(RecordCsv, HeaderNumbersAndNamesAreWrittenAsTheyStand) {
  TRoomEst room;
  SetDefaultRoomEst(2, room);
  room.Name = "東棟,北";
  room.Data[0].UpperLimit = 40;
  room.Data[0].LowerLimit = 0;
  room.Data[1].UpperLimit = 0.5;
  room.Data[1].LowerLimit = -1.25;
  room.Data[2].UpperLimit = 12.3;
  const std::string header = FormatRecordCsvHeader(room);
  EXPECT_EQ(header.substr(0, header.find("\r\n")), ",東棟,北,");
  EXPECT_NE(header.find("\r\n,\"kW/㎡(MJ)\",40,0,\"℃\",0.5,-1.25,\"％\",12.3,0,"),
            std::string::npos);
}

TEST(RecordCsv, RecordLines) {
  TRecDat none{};
  none.Time = EncodeDateTime(2020, 11, 13, 23, 55);
  struct Case {
    const char* name;
    TRecDat record;
    std::string memo;
    std::string want;
  };
  const Case cases[] = {
      {"two items valid", Example(), "",
       "2020/11/13 09:05,0.5,0.600000023841858,0.400000005960464,23.6000003814697,24,"
       "23.2000007629395,,,,,,,,,,,,,,,,,,,,,,,,,\"\",\r\n"},
      {"no item valid", none, "", "2020/11/13 23:55," + Repeat(",,,", 10) + "\"\",\r\n"},
      {"the day's events at 23:55", none, " 収穫日 定植日",
       "2020/11/13 23:55," + Repeat(",,,", 10) + "\" 収穫日 定植日\",\r\n"},
      {"a memo with a comma", none, "a, \"b\"",
       "2020/11/13 23:55," + Repeat(",,,", 10) + "\"a, \"b\"\",\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatRecordCsvLine(c.memo, c.record), c.want) << c.name;
}

TEST(RecordCsv, AppendsGoToTheEndInTheFilesOwnEncoding) {
  const std::string line = FormatRecordCsvLine(" 定植日", Example());
  struct Case {
    const char* name;
    TTextEncoding encoding;
    std::string existing;  // UTF-8, encoded as the case says
    std::string want;      // the whole file afterwards, decoded
  };
  const Case cases[] = {
      {"code page 932", TTextEncoding::Cp932, ",栽培室1,\r\n", ",栽培室1,\r\n" + line},
      {"UTF-8 mark", TTextEncoding::Utf8Bom, ",栽培室1,\r\n", ",栽培室1,\r\n" + line},
      {"UTF-16 mark", TTextEncoding::Utf16LeBom, ",栽培室1,\r\n", ",栽培室1,\r\n" + line},
      {"torn last line", TTextEncoding::Cp932, ",栽培室1", ",栽培室1\r\n" + line},
      {"torn after a mark", TTextEncoding::Utf16LeBom, ",", ",\r\n" + line},
      {"bare LF", TTextEncoding::Cp932, ",\"a\",\n", ",\"a\",\n" + line},
      {"bare CR", TTextEncoding::Cp932, ",\"a\",\r", ",\"a\",\r\n" + line},
      {"bare LF after a mark", TTextEncoding::Utf16BeBom, ",\"a\",\n", ",\"a\",\n" + line},
      {"bare CR after a mark", TTextEncoding::Utf8Bom, ",\"a\",\r", ",\"a\",\r\n" + line},
      {"empty file", TTextEncoding::Cp932, "", line},
      {"a mark alone", TTextEncoding::Utf8Bom, "", line},
  };
  for (const Case& c : cases) {
    test::TestEnv t;
    ASSERT_TRUE(EnsureFolders(t.env));
    const std::string path = GetRecordCsvPath(t.env, 3);
    test::WriteFile(path, EncodeText(c.existing, c.encoding));
    ASSERT_TRUE(AppendRecordCsv(t.env, 3, " 定植日", Example())) << c.name;
    const std::string bytes = test::ReadFile(path);
    EXPECT_EQ(DetectTextEncoding(bytes), c.encoding) << c.name;
    EXPECT_EQ(bytes, EncodeText(c.want, c.encoding)) << c.name;
    EXPECT_FALSE(FileExists(GetLogFilePath(t.env, t.env.Now()))) << c.name;
  }
}

TEST(RecordCsv, ALineTornAtAnyByteIsClosedByTheNextAppend) {
  TRoomEst room;
  SetDefaultRoomEst(2, room);
  TRecDat earlier = Example();
  earlier.Time -= 5.0 / 1440;
  const std::string head = FormatRecordCsvHeader(room) + FormatRecordCsvLine("", earlier);
  const std::string torn = FormatRecordCsvLine(" 定植日", Example());
  TRecDat next = Example();
  next.Time += 5.0 / 1440;
  for (size_t k = 0; k < Utf8ToCp932(torn).size(); ++k) {
    SCOPED_TRACE("torn after " + std::to_string(k) + " bytes");
    test::TestEnv t;
    ASSERT_TRUE(EnsureFolders(t.env));
    const std::string path = GetRecordCsvPath(t.env, 2);
    const std::string before = Utf8ToCp932(head) + Utf8ToCp932(torn).substr(0, k);
    test::WriteFile(path, before);
    ASSERT_TRUE(AppendRecordCsv(t.env, 2, "", next));
    const std::string closing = before.back() == '\n' ? "" : before.back() == '\r' ? "\n" : "\r\n";
    EXPECT_EQ(test::ReadFile(path), before + closing + Utf8ToCp932(FormatRecordCsvLine("", next)));
  }
}

TEST(RecordCsv, AMissingFileGetsTheRecordLineAlone) {
  test::TestEnv t;
  ASSERT_TRUE(EnsureFolders(t.env));
  ASSERT_TRUE(AppendRecordCsv(t.env, 4, "", Example()));
  const std::string path = GetRecordCsvPath(t.env, 4);
  EXPECT_EQ(test::ReadFile(path), FormatRecordCsvLine("", Example()));
  EXPECT_NE(LogText(t).find("DataAccess: 既存CSVファイル読込失敗: " + path + ","),
            std::string::npos);
}

TEST(RecordCsv, FailuresAreLoggedWithTheFileName) {
  test::TestEnv t;
  ASSERT_TRUE(EnsureFolders(t.env));
  const std::string path = GetRecordCsvPath(t.env, 5);
  ASSERT_TRUE(CreateFolders(path));  // a folder in the way of the file
  TRoomEst room;
  SetDefaultRoomEst(5, room);
  EXPECT_FALSE(CreateRecordCsv(t.env, 5, room));
  EXPECT_FALSE(AppendRecordCsv(t.env, 5, "", Example()));
  const std::string missing = t.folder.Path() + "no such folder/copy.csv";
  EXPECT_FALSE(CopyRecordCsv(t.env, 5, missing));
  const std::string log = LogText(t);
  EXPECT_NE(log.find("DataAccess: CSVファイル新規作成失敗: " + path + ","), std::string::npos);
  EXPECT_NE(log.find("DataAccess: 既存CSVファイル追記失敗: " + path + ","), std::string::npos);
  EXPECT_NE(log.find("DataAccess: CSVファイル移動（複写）失敗: " + path + " to " + missing + ","),
            std::string::npos);
  EXPECT_THROW(GetRecordCsvPath(t.env, 0), std::out_of_range);
}

TEST(RecordCsv, CopyReplacesTheDestinationAndKeepsTheSource) {
  test::TestEnv t;
  ASSERT_TRUE(EnsureFolders(t.env));
  TRoomEst room;
  SetDefaultRoomEst(1, room);
  ASSERT_TRUE(CreateRecordCsv(t.env, 1, room));
  ASSERT_TRUE(AppendRecordCsv(t.env, 1, "", Example()));
  const std::string source = test::ReadFile(GetRecordCsvPath(t.env, 1));
  const std::string destination = t.folder.Path() + "2020年トマト.csv";
  test::WriteFile(destination, "something longer than nothing at all, to be replaced");
  ASSERT_TRUE(CopyRecordCsv(t.env, 1, destination));
  EXPECT_EQ(test::ReadFile(destination), source);
  EXPECT_EQ(test::ReadFile(GetRecordCsvPath(t.env, 1)), source);
}

}  // namespace
}  // namespace velk
