// SPDX-License-Identifier: MIT
#include "analysis/cond_files.h"

#include <gtest/gtest.h>

#include <limits>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

class CondFiles : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return t.folder.Path() + name; }
  void WriteIni(const std::string& path, const std::string& utf8) {
    test::WriteFile(path, Utf8ToCp932(utf8));
  }
  std::string ReadText(const std::string& path) {
    std::string text;
    Cp932ToUtf8(test::ReadFile(path), text);
    return text;
  }
  std::string LogText() { return test::ReadFile(GetLogFilePath(t.env, t.env.Now())); }
  // Settings far from the defaults, to see that a load does not keep them.
  static TCondEst Changed() {
    TCondEst c;
    c.Name = "古い条件";
    for (int i = 0; i < kCondCount; ++i) {
      c.Use[i] = i != 0;
      c.Target[i] = 5;
      c.CndA[i] = 3;
      c.Judge[i] = 1;
      c.Value_L[i] = -7.5f;
      c.Value_H[i] = 99.5f;
    }
    c.CndB = 0;
    c.TimeVal = 555;
    return c;
  }
  static void ExpectDefaults(const TCondEst& c, const std::string& name = "新しい条件") {
    const TCondEst d;
    EXPECT_EQ(c.Name, name);
    for (int i = 0; i < kCondCount; ++i) {
      EXPECT_EQ(c.Use[i], d.Use[i]) << i;
      EXPECT_EQ(c.Target[i], 1) << i;
      EXPECT_EQ(c.CndA[i], 0) << i;
      EXPECT_EQ(c.Judge[i], 0) << i;
      EXPECT_EQ(c.Value_L[i], 10.0f) << i;
      EXPECT_EQ(c.Value_H[i], 30.0f) << i;
    }
    EXPECT_EQ(c.CndB, 1);
    EXPECT_EQ(c.TimeVal, 30);
  }

  void SetUp() override { ASSERT_TRUE(EnsureFolders(t.env)); }

  test::TestEnv t;
};

TEST_F(CondFiles, DefaultsAreWrittenKeyByKeyInOrder) {
  const std::string path = Path("a.QCS");
  ASSERT_TRUE(SaveCondEst(t.env, path, TCondEst{}));
  std::string expected = "[ConditionEst]\r\nName=新しい条件\r\n";
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    expected += "Use" + n + "=" + (i == 0 ? "1" : "0") + "\r\nTarget" + n + "=1\r\nCndA" + n +
                "=0\r\nJudge" + n + "=0\r\nValue_L" + n + "=10\r\nValue_H" + n + "=30\r\n";
  }
  expected += "CndB=1\r\nTimeVal=30\r\n";
  EXPECT_EQ(ReadText(path), expected);
  // Code page 932 on disk.
  EXPECT_NE(test::ReadFile(path).find("\x90\x56\x82\xb5\x82\xa2"), std::string::npos);
}

TEST_F(CondFiles, SavedSettingsReadBackExactly) {
  const std::string path = Path("b.QCS");
  TCondEst c = Changed();
  c.Value_L[1] = 25.3f;
  c.Value_H[2] = -0.1f;
  c.TimeVal = 65535;
  ASSERT_TRUE(SaveCondEst(t.env, path, c));
  EXPECT_NE(ReadText(path).find("Value_L1=25.2999992370605\r\n"), std::string::npos);
  TCondEst back;
  ASSERT_TRUE(LoadCondEst(t.env, path, back));
  EXPECT_EQ(back.Name, c.Name);
  for (int i = 0; i < kCondCount; ++i) {
    EXPECT_EQ(back.Use[i], c.Use[i]);
    EXPECT_EQ(back.Target[i], c.Target[i]);
    EXPECT_EQ(back.CndA[i], c.CndA[i]);
    EXPECT_EQ(back.Judge[i], c.Judge[i]);
    EXPECT_EQ(back.Value_L[i], c.Value_L[i]);
    EXPECT_EQ(back.Value_H[i], c.Value_H[i]);
  }
  EXPECT_EQ(back.CndB, 0);
  EXPECT_EQ(back.TimeVal, 65535);
}

TEST_F(CondFiles, SavingKeepsTheOtherSectionsAndUpdatesInPlace) {
  const std::string path = Path("RUDERADO.ini");
  WriteIni(path,
           "[basic]\r\nLatitude=35.5\r\n\r\n[ConditionEst]\r\nName=前\r\nExtra=x\r\n\r\n"
           "[FutureEst]\r\nMode=2\r\n");
  ASSERT_TRUE(SaveCondEst(t.env, path, TCondEst{}));
  const std::string text = ReadText(path);
  EXPECT_EQ(text.find("[basic]\r\nLatitude=35.5\r\n\r\n[ConditionEst]\r\nName=新しい条件\r\n"
                      "Extra=x\r\nUse0=1\r\n"),
            0u);
  EXPECT_NE(text.find("TimeVal=30\r\n\r\n[FutureEst]\r\nMode=2\r\n"), std::string::npos);
}

TEST_F(CondFiles, WhatDoesNotReadTakesTheDefault) {
  struct Case {
    const char* body;
    void (*check)(const TCondEst&);
  };
  const Case cases[] = {
      {"Name=ハウス高温", [](const TCondEst& c) { ExpectDefaults(c, "ハウス高温"); }},
      {"", [](const TCondEst& c) { ExpectDefaults(c); }},
      {"Use2=5\r\nUse0=0\r\nUse1=on",
       [](const TCondEst& c) {
         EXPECT_FALSE(c.Use[0]);
         EXPECT_FALSE(c.Use[1]);
         EXPECT_TRUE(c.Use[2]);
       }},
      {"Target0=abc\r\nCndA1=1.5\r\nJudge2=\r\nCndB=99999999999",
       [](const TCondEst& c) { ExpectDefaults(c); }},
      // Beyond a 32-bit float, not a number at all, or in another form.
      {"Value_L0=1e39\r\nValue_H0=-1e300\r\nValue_L1=nan\r\nValue_H1=inf\r\nValue_L2=0x10\r\n"
       "Value_H2=12,5",
       [](const TCondEst& c) { ExpectDefaults(c); }},
      // The largest float as it is written, tiny values as zero.
      {"Value_L0=3.40282346638529E38\r\nValue_H0=-1e-50\r\nValue_L1=-3.4028235e38",
       [](const TCondEst& c) {
         EXPECT_EQ(c.Value_L[0], std::numeric_limits<float>::max());
         EXPECT_EQ(c.Value_H[0], 0.0f);
         EXPECT_EQ(c.Value_L[1], -std::numeric_limits<float>::max());
       }},
      // Kept in 16 bits.
      {"TimeVal=70000", [](const TCondEst& c) { EXPECT_EQ(c.TimeVal, 70000 - 65536); }},
      {"TimeVal=-1", [](const TCondEst& c) { EXPECT_EQ(c.TimeVal, 65535); }},
  };
  const std::string path = Path("c.QCS");
  for (const Case& k : cases) {
    SCOPED_TRACE(k.body);
    WriteIni(path, std::string("[ConditionEst]\r\n") + k.body + "\r\n");
    TCondEst c = Changed();
    ASSERT_TRUE(LoadCondEst(t.env, path, c));
    k.check(c);
  }
}

TEST_F(CondFiles, GarbageFilesLoadAsDefaultsWithoutFailing) {
  const std::string path = Path("garbage.QCS");
  std::string bytes = std::string("\x00\x01\xfe[Condition", 13);
  bytes += std::string(1 << 20, 'x');
  bytes += "\n[ConditionEst]\nName=" + std::string(1 << 20, 'y') + "\nTarget0=4\n\x81";
  test::WriteFile(path, bytes);
  TCondEst c = Changed();
  ASSERT_TRUE(LoadCondEst(t.env, path, c));
  EXPECT_EQ(c.Name.size(), 1u << 20);
  EXPECT_EQ(c.Target[0], 4);
  EXPECT_EQ(c.Target[1], 1);
}

TEST_F(CondFiles, AMissingFileGivesTheDefaultsAndAnUnreadableOneIsLogged) {
  TCondEst c = Changed();
  ASSERT_TRUE(LoadCondEst(t.env, Path("none.QCS"), c));
  ExpectDefaults(c);
  EXPECT_FALSE(FileExists(GetLogFilePath(t.env, t.env.Now())));

  // A folder where the file should be: neither read nor written.
  const std::string folder = Path("dir.QCS");
  ASSERT_TRUE(CreateFolders(folder));
  c = Changed();
  EXPECT_FALSE(LoadCondEst(t.env, folder, c));
  EXPECT_EQ(c.Name, "古い条件");
  EXPECT_FALSE(SaveCondEst(t.env, folder, c));
  const std::string log = LogText();
  EXPECT_NE(log.find("Condition: 設定ファイル読込失敗: " + folder + ","), std::string::npos);
  EXPECT_NE(log.find("Condition: 設定ファイル保存失敗: " + folder + ","), std::string::npos);
}

TEST_F(CondFiles, ResultFileRecordsTheShownConditionsAndTheLines) {
  TCondEst held;
  held.Use[2] = true;
  TCondShown shown;
  for (int i = 0; i < kCondCount; ++i) {
    shown.Cond[i] = {"気温", "[設定数値]", "以上", std::to_string(10 + i) + ".0", "30.0"};
  }
  shown.Duration = "成立時";
  shown.TimeVal = "30";
  const std::vector<std::string> results = {"0: 2020年11月13日 10:05 ～ 2020年11月13日 12:30"};
  const std::string path = Path("r.txt");
  ASSERT_TRUE(SaveCondResults(t.env, path, CondResultFileLines(held, shown, results)));
  std::string expected = "【条件結果記録】\r\n\r\n=== 算出条件 ===\r\n";
  const char* use[] = {"有効", "無効", "有効"};
  for (int i = 0; i < kCondCount; ++i) {
    expected += "\r\n- 条件" + std::to_string(i + 1) + "----\r\n" + use[i] +
                "\r\n対象:気温\r\n対象:気温\r\n比較:[設定数値]\r\n判定:以上\r\n数値1:" +
                std::to_string(10 + i) + ".0\r\n数値2:30.0\r\n";
  }
  expected +=
      "\r\n- 継続条件 ----\r\n継続：成立時\r\n時間：30\r\n\r\n=== 算出結果 ===\r\n"
      "0: 2020年11月13日 10:05 ～ 2020年11月13日 12:30\r\n";
  EXPECT_EQ(ReadText(path), expected);

  // A search that found nothing; the file is replaced as a whole.
  ASSERT_TRUE(SaveCondResults(t.env, path, CondResultFileLines(held, shown, {})));
  const std::string text = ReadText(path);
  const std::string tail = "=== 算出結果 ===\r\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_EQ(test::ReadFile(path), Utf8ToCp932(text));
}

TEST_F(CondFiles, AResultFileThatCannotBeWrittenIsLogged) {
  // A plain file where the folder should be: no one can write below it, whatever their rights.
  const std::string notAFolder = Path("plain");
  test::WriteFile(notAFolder, "x");
  const std::string path = notAFolder + "/r.txt";
  EXPECT_FALSE(SaveCondResults(t.env, path, {"x"}));
  EXPECT_NE(LogText().find("Condition: 結果ファイル出力失敗: " + path + ","), std::string::npos);
  EXPECT_EQ(test::ReadFile(notAFolder), "x");
}

}  // namespace
}  // namespace velk
