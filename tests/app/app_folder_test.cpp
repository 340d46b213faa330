// SPDX-License-Identifier: MIT
#include "app/app_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/test_env.h"

namespace velk {
namespace {

TEST(AppFolder, OptionBeatsEnvironmentBeatsExecutableFolder) {
  char prog[] = "uecs-velk", opt[] = "--app-dir", dir[] = "/srv/velk", eq[] = "--app-dir=/data/v";
  char* withOption[] = {prog, opt, dir};
  char* withEquals[] = {prog, eq};
  char* bare[] = {prog};
  test::TempFolder exe;
  setenv("VELK_APP_DIR", "/env/velk", 1);
  EXPECT_EQ(ResolveAppFolder(3, withOption, exe.Path()).Folder, "/srv/velk/");
  EXPECT_EQ(ResolveAppFolder(2, withEquals, exe.Path()).Folder, "/data/v/");
  EXPECT_EQ(ResolveAppFolder(1, bare, exe.Path()).Folder, "/env/velk/");
  unsetenv("VELK_APP_DIR");
  const TAppFolderChoice fromBuild = ResolveAppFolder(1, bare, exe.Path());
  EXPECT_EQ(fromBuild.Folder, exe.Path());
  EXPECT_EQ(fromBuild.GivenUp, "");
  EXPECT_EQ(AppFolderNotice(fromBuild), "");
  EXPECT_EQ(CommandLineOption(1, bare, "--screenshot"), "");
}

TEST(AppFolder, ChoiceTable) {
  struct Case {
    const char* what;
    TAppFolderSources in;
    const char* folder;
    const char* givenUp;
  };
  const Case cases[] = {
      {"option wins even over an unusable executable folder",
       {"/srv/v", "/env/v", "/usr/bin", false, "/xdg", "/home/u"},
       "/srv/v/",
       ""},
      {"environment wins over an unusable executable folder",
       {"", "/env/v/", "/usr/bin", false, "/xdg", "/home/u"},
       "/env/v/",
       ""},
      {"a usable executable folder is kept",
       {"", "", "/home/u/build/src/app", true, "/xdg", "/home/u"},
       "/home/u/build/src/app/",
       ""},
      {"an unusable one gives way to XDG_DATA_HOME",
       {"", "", "/usr/bin", false, "/xdg/data/", "/home/u"},
       "/xdg/data/uecs-velk/",
       "/usr/bin/"},
      {"without XDG_DATA_HOME the home's .local/share",
       {"", "", "/usr/bin", false, "", "/home/u/"},
       "/home/u/.local/share/uecs-velk/",
       "/usr/bin/"},
      {"a relative XDG_DATA_HOME is ignored",
       {"", "", "/usr/bin", false, "data", "/home/u"},
       "/home/u/.local/share/uecs-velk/",
       "/usr/bin/"},
  };
  for (const Case& c : cases) {
    const TAppFolderChoice got = ChooseAppFolder(c.in);
    EXPECT_EQ(got.Folder, c.folder) << c.what;
    EXPECT_EQ(got.GivenUp, c.givenUp) << c.what;
  }
}

TEST(AppFolder, WhichFoldersCanHoldTheFiles) {
  test::TempFolder tmp;
  test::WriteFile(tmp.Path() + "plain-file", "x");
  EXPECT_TRUE(CanHoldAppFiles(tmp.Path()));
  EXPECT_FALSE(CanHoldAppFiles(tmp.Path() + "missing"));
  EXPECT_FALSE(CanHoldAppFiles(tmp.Path() + "plain-file"));
  // The package manager's folders are refused even when this user (root) could write there.
  for (const char* system : {"/usr/bin", "/usr/bin/", "/usr/./bin", "/bin"}) {
    EXPECT_FALSE(CanHoldAppFiles(system)) << system;
  }
}

TEST(AppFolder, InstalledProgramMovesToTheHomeAndSaysWhere) {
  test::TempFolder home;
  char prog[] = "uecs-velk";
  char* bare[] = {prog};
  const char* oldHome = getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  unsetenv("VELK_APP_DIR");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", home.Path().c_str(), 1);
  const TAppFolderChoice installed = ResolveAppFolder(1, bare, "/usr/bin");
  if (oldHome) {
    setenv("HOME", savedHome.c_str(), 1);
  } else {
    unsetenv("HOME");
  }
  EXPECT_EQ(installed.Folder, home.Path() + ".local/share/uecs-velk/");
  EXPECT_EQ(installed.GivenUp, "/usr/bin/");
  EXPECT_EQ(AppFolderNotice(installed),
            "Main: 実行ファイルのフォルダ /usr/bin/ には記録できないため、" + installed.Folder +
                " に記録します");
}

}  // namespace
}  // namespace velk
