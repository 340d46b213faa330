// SPDX-License-Identifier: MIT
#include "app/app_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace velk {
namespace {

TEST(AppFolder, OptionBeatsEnvironmentBeatsExecutableFolder) {
  char prog[] = "uecs-velk", opt[] = "--app-dir", dir[] = "/srv/velk", eq[] = "--app-dir=/data/v";
  char* withOption[] = {prog, opt, dir};
  char* withEquals[] = {prog, eq};
  char* bare[] = {prog};
  setenv("VELK_APP_DIR", "/env/velk", 1);
  EXPECT_EQ(ResolveAppFolder(3, withOption, "/usr/bin"), "/srv/velk/");
  EXPECT_EQ(ResolveAppFolder(2, withEquals, "/usr/bin"), "/data/v/");
  EXPECT_EQ(ResolveAppFolder(1, bare, "/usr/bin"), "/env/velk/");
  unsetenv("VELK_APP_DIR");
  EXPECT_EQ(ResolveAppFolder(1, bare, "/usr/bin"), "/usr/bin/");
  EXPECT_EQ(CommandLineOption(1, bare, "--screenshot"), "");
}

}  // namespace
}  // namespace velk
