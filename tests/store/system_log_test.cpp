// SPDX-License-Identifier: MIT
#include "store/system_log.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "support/test_env.h"

namespace velk {
namespace {

TEST(SystemLog, FoldersLieBelowTheApplicationFolder) {
  test::TestEnv t;
  EXPECT_EQ(GetSysFolder(t.env), t.folder.Path() + "Sys");
  EXPECT_EQ(GetLogFolder(t.env), t.folder.Path() + "Sys/Log");
  EXPECT_EQ(GetRcdFolder(t.env), t.folder.Path() + "Sys/Rcd");
  EXPECT_TRUE(EnsureFolders(t.env));
  EXPECT_TRUE(FolderExists(GetLogFolder(t.env)));
  EXPECT_TRUE(FolderExists(GetRcdFolder(t.env)));
  EXPECT_TRUE(EnsureFolders(t.env));  // an existing tree is fine
}

TEST(SystemLog, AFolderThatCannotBeCreatedFailsButTheOthersAreTried) {
  test::TestEnv t;
  test::WriteFile(t.folder.Path() + "Sys/Log", "a file in the way");
  EXPECT_FALSE(EnsureFolders(t.env));
  EXPECT_TRUE(FolderExists(GetRcdFolder(t.env)));
}

TEST(SystemLog, LinesAreAppendedUnchangedWithCrLf) {
  test::TestEnv t(EncodeDateTime(2020, 11, 13, 9, 5, 7));
  ASSERT_TRUE(EnsureFolders(t.env));
  EXPECT_TRUE(WriteSystemLog(t.env, "System Start"));
  EXPECT_TRUE(WriteSystemLog(t.env, "Main: a, \"quoted\" text"));
  EXPECT_EQ(test::ReadFile(GetLogFolder(t.env) + "/System20201113.Log"),
            "E,2020/11/13 09:05.07,System Start,\r\n"
            "E,2020/11/13 09:05.07,Main: a, \"quoted\" text,\r\n");
}

TEST(SystemLog, MidnightStartsANewFile) {
  test::TestEnv t(EncodeDateTime(2020, 12, 31, 23, 59, 59, 900));
  ASSERT_TRUE(EnsureFolders(t.env));
  WriteSystemLog(t.env, "a");
  t.clock.AdvanceSeconds(0.2);
  WriteSystemLog(t.env, "b");
  EXPECT_EQ(test::ReadFile(GetLogFolder(t.env) + "/System20201231.Log"),
            "E,2020/12/31 23:59.59,a,\r\n");
  EXPECT_EQ(test::ReadFile(GetLogFolder(t.env) + "/System20210101.Log"),
            "E,2021/01/01 00:00.00,b,\r\n");
}

TEST(SystemLog, HistoryOnlyWritesNothingAndMissingFolderFails) {
  test::TestEnv t;
  EXPECT_FALSE(WriteSystemLog(t.env, "no folder yet"));
  t.env.HistoryOnly = true;
  ASSERT_TRUE(EnsureFolders(t.env));
  EXPECT_TRUE(WriteSystemLog(t.env, "System Start"));
  EXPECT_FALSE(FileExists(GetLogFilePath(t.env, t.env.Now())));
}

}  // namespace
}  // namespace velk
