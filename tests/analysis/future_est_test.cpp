// SPDX-License-Identifier: MIT
#include "analysis/future_est.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

TEST(FutureEst, RefDayTextsNameTheKnownKinds) {
  const TDateTime day = EncodeDateTime(2020, 4, 1, 13, 30);
  struct Case {
    int32_t kind;
    const char* text;
  } cases[] = {
      {0, "2020年04月01日"},
      {1, "最新日:2020年04月01日"},
      {6, "栽培開始日:2020年04月01日"},
      {9, "栽培終了日:2020年04月01日"},
      {24, "開花日:2020年04月01日"},
      {71, "防除作業日:2020年04月01日"},
      {2, "2020年04月01日"},
      {-6, "2020年04月01日"},
  };
  for (const Case& c : cases) EXPECT_EQ(RefDayText(c.kind, day), c.text) << c.kind;
}

TEST(FutureEst, DateTextsDropAMidnight) {
  EXPECT_EQ(FutureDateText(EncodeDateTime(2020, 11, 13, 9, 5, 3)), "2020/11/13 9:05:03");
  EXPECT_EQ(FutureDateText(EncodeDateTime(2020, 11, 13, 23, 59, 59)), "2020/11/13 23:59:59");
  EXPECT_EQ(FutureDateText(EncodeDate(2020, 1, 2)), "2020/01/02");
}

class FutureEstFile : public ::testing::Test {
 protected:
  std::string Path() { return GetSiteEstPath(t.env); }
  std::string ReadIni() {
    std::string text;
    Cp932ToUtf8(test::ReadFile(Path()), text);
    return text;
  }
  void WriteIni(const std::string& utf8) { test::WriteFile(Path(), Utf8ToCp932(utf8)); }
  std::string LogText() { return test::ReadFile(GetLogFilePath(t.env, t.env.Now())); }

  test::TestEnv t;  // now: 2020/11/13 9:05:07
  TFutureEst est[kFuturePanels];
};

TEST_F(FutureEstFile, SavedSectionKeepsTheOtherSectionsAndReadsBack) {
  ASSERT_TRUE(EnsureFolders(t.env));
  WriteIni("[basic]\r\nLatitude=35.5\r\n[ConditionEst]\r\nItem0=3\r\n");
  est[0].Target = 7;
  est[0].BEvent = 6;
  est[0].BDay = EncodeDate(2020, 4, 1);
  est[0].MEvent = 1;
  est[0].MDay = EncodeDateTime(2020, 11, 13, 9, 5, 3);
  est[0].LaterDays = 200;
  est[0].OverVal = 4000.5;
  est[1].BDay = EncodeDateTime(2020, 5, 6, 17, 0, 0);
  est[1].MDay = EncodeDate(2020, 6, 1);
  est[1].Base = 10;
  ASSERT_TRUE(SaveFutureEst(t.env, Path(), est));
  EXPECT_EQ(ReadIni(),
            "[basic]\r\nLatitude=35.5\r\n[ConditionEst]\r\nItem0=3\r\n[FutureEst]\r\n"
            "Target0=7\r\nBEvent0=6\r\nBDay0=2020/04/01\r\nMEvent0=1\r\n"
            "MDay0=2020/11/13 9:05:03\r\nLaterDays0=200\r\nOverVal0=4000.5\r\nBase0=\r\n"
            "Target1=1\r\nBEvent1=0\r\nBDay1=2020/05/06 17:00:00\r\nMEvent1=1\r\n"
            "MDay1=2020/06/01\r\nLaterDays1=0\r\nOverVal1=0\r\nBase1=10\r\n");

  TFutureEst back[kFuturePanels];
  ASSERT_TRUE(LoadFutureEst(t.env, Path(), back));
  for (int p = 0; p < kFuturePanels; ++p) {
    EXPECT_EQ(back[p].Target, est[p].Target);
    EXPECT_EQ(back[p].BEvent, est[p].BEvent);
    EXPECT_DOUBLE_EQ(back[p].BDay, est[p].BDay);
    EXPECT_EQ(back[p].MEvent, est[p].MEvent);
    EXPECT_NEAR(back[p].MDay, est[p].MDay, 1e-9);
    EXPECT_EQ(back[p].LaterDays, est[p].LaterDays);
    EXPECT_EQ(back[p].OverVal, est[p].OverVal);
    EXPECT_EQ(back[p].Base, est[p].Base);
  }
}

TEST_F(FutureEstFile, MissingOrGarbledKeysLoadAsDefaults) {
  ASSERT_TRUE(EnsureFolders(t.env));
  WriteIni(
      "[FutureEst]\r\nTarget0=abc\r\nBEvent0=1.5\r\nBDay0=2020/13/01\r\nMEvent0=\r\n"
      "MDay0=9:00\r\nLaterDays0=70000\r\nOverVal0=1e999\r\nBase0=ten\r\n"
      "Target1=42\r\nBDay1=2020/4/1 6:30\r\nLaterDays1=-1\r\nOverVal1=1e300\r\n");
  est[0].Target = 5;
  est[0].Base = 3;
  ASSERT_TRUE(LoadFutureEst(t.env, Path(), est));
  const TDateTime now = t.env.Now();
  EXPECT_EQ(est[0].Target, 1);
  EXPECT_EQ(est[0].BEvent, 0);
  EXPECT_EQ(est[0].BDay, now);
  EXPECT_EQ(est[0].MEvent, 1);
  EXPECT_EQ(est[0].MDay, now);
  EXPECT_EQ(est[0].LaterDays, 70000 - 65536);  // kept in 16 bits
  EXPECT_EQ(est[0].OverVal, 0.0);
  EXPECT_FALSE(est[0].Base);
  EXPECT_EQ(est[1].Target, 42);
  EXPECT_DOUBLE_EQ(est[1].BDay, EncodeDateTime(2020, 4, 1, 6, 30));
  EXPECT_EQ(est[1].MDay, now);
  EXPECT_EQ(est[1].LaterDays, 65535);
  EXPECT_EQ(est[1].OverVal, 1e300);

  std::filesystem::remove(Path());
  ASSERT_TRUE(LoadFutureEst(t.env, Path(), est));
  EXPECT_EQ(est[1].Target, 1);
  EXPECT_EQ(est[1].BDay, now);
}

TEST_F(FutureEstFile, FailuresAreLoggedAndLeaveTheValues) {
  ASSERT_TRUE(EnsureFolders(t.env));
  std::filesystem::create_directory(Path());  // neither readable nor writable as a file
  est[0].Target = 5;
  EXPECT_FALSE(LoadFutureEst(t.env, Path(), est));
  EXPECT_EQ(est[0].Target, 5);
  EXPECT_FALSE(SaveFutureEst(t.env, Path(), est));
  const std::string log = LogText();
  EXPECT_NE(log.find("Future: 設定読込異常: " + Path()), std::string::npos) << log;
  EXPECT_NE(log.find("Future: 設定保存異常: " + Path()), std::string::npos) << log;
}

}  // namespace
}  // namespace velk
