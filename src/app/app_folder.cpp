// SPDX-License-Identifier: MIT
#include "app/app_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "base/app_env.h"

namespace velk {
namespace {

std::string EnvironmentValue(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::string HomeFolder() {
  std::string home = EnvironmentValue("HOME");
  if (home.empty()) {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
  }
  return home;
}

std::string Absolute(const std::string& folder) {
  std::error_code ec;
  const auto absolute = std::filesystem::absolute(folder, ec);
  return ec ? folder : absolute.string();
}

bool IsSystemProgramFolder(const std::string& folder) {
  std::string f = std::filesystem::path(folder).lexically_normal().string();
  while (f.size() > 1 && f.back() == kPathSep) f.pop_back();
  static const char* const kSystemFolders[] = {
      "/bin", "/sbin", "/usr/bin", "/usr/sbin", "/usr/games", "/usr/local/bin", "/usr/local/sbin",
  };
  for (const char* s : kSystemFolders) {
    if (f == s) return true;
  }
  return false;
}

}  // namespace

std::string CommandLineOption(int argc, char** argv, const std::string& name) {
  const std::string withValue = name + "=";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == name && i + 1 < argc) return argv[i + 1];
    if (a.rfind(withValue, 0) == 0) return a.substr(withValue.size());
  }
  return {};
}

TAppFolderChoice ChooseAppFolder(const TAppFolderSources& sources) {
  if (!sources.Option.empty()) return {WithTrailingSeparator(sources.Option), {}};
  if (!sources.Environment.empty()) return {WithTrailingSeparator(sources.Environment), {}};
  if (sources.ExecutableFolderUsable) return {WithTrailingSeparator(sources.ExecutableFolder), {}};
  // The XDG rule: a relative XDG_DATA_HOME is invalid and is ignored.
  const bool xdgValid = !sources.XdgDataHome.empty() && sources.XdgDataHome.front() == kPathSep;
  const std::string dataHome =
      xdgValid ? sources.XdgDataHome : WithTrailingSeparator(sources.Home) + ".local/share";
  return {WithTrailingSeparator(dataHome) + "uecs-velk/",
          WithTrailingSeparator(sources.ExecutableFolder)};
}

bool CanHoldAppFiles(const std::string& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return false;
  if (IsSystemProgramFolder(folder)) return false;
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

TAppFolderChoice ResolveAppFolder(int argc, char** argv, const std::string& executableFolder) {
  TAppFolderSources s;
  s.Option = CommandLineOption(argc, argv, "--app-dir");
  s.Environment = EnvironmentValue("VELK_APP_DIR");
  s.ExecutableFolder = executableFolder;
  // Only looked at when neither the option nor the variable names a folder.
  s.ExecutableFolderUsable =
      !s.Option.empty() || !s.Environment.empty() || CanHoldAppFiles(executableFolder);
  s.XdgDataHome = EnvironmentValue("XDG_DATA_HOME");
  s.Home = HomeFolder();
  TAppFolderChoice choice = ChooseAppFolder(s);
  choice.Folder = WithTrailingSeparator(Absolute(choice.Folder));
  return choice;
}

std::string AppFolderNotice(const TAppFolderChoice& choice) {
  if (choice.GivenUp.empty()) return {};
  return "Main: 実行ファイルのフォルダ " + choice.GivenUp + " には記録できないため、" +
         choice.Folder + " に記録します";
}

}  // namespace velk
