// SPDX-License-Identifier: MIT
#include "store/system_log.h"

#include "base/date_format.h"
#include "base/file_io.h"

namespace velk {

std::string GetSysFolder(const TAppEnv& env) {
  return env.AppFolder + "Sys";
}
std::string GetLogFolder(const TAppEnv& env) {
  return GetSysFolder(env) + kPathSep + "Log";
}
std::string GetRcdFolder(const TAppEnv& env) {
  return GetSysFolder(env) + kPathSep + "Rcd";
}

bool EnsureFolders(const TAppEnv& env) {
  struct Folder {
    std::string path;
    const char* failure;
  };
  const Folder folders[] = {
      {GetSysFolder(env), "DataAccess: Sysフォルダ作成失敗"},
      {GetLogFolder(env), "DataAccess: Logフォルダ作成失敗"},
      {GetRcdFolder(env), "DataAccess: Rcdフォルダ作成失敗"},
  };
  bool ok = true;
  for (const Folder& f : folders) {
    if (FolderExists(f.path)) continue;
    try {
      if (!CreateFolders(f.path)) ok = false;
    } catch (...) {
      WriteSystemLog(env, f.failure);
      ok = false;
    }
  }
  return ok;
}

std::string GetLogFilePath(const TAppEnv& env, double now) {
  return GetLogFolder(env) + kPathSep + "System" + FormatDateTime("yyyymmdd", now) + ".Log";
}

bool WriteSystemLog(const TAppEnv& env, std::string_view message) {
  if (env.HistoryOnly) return true;
  const double now = env.Now();
  std::string line = "E,";
  line += FormatDateTime(kFmtLogTime, now);
  line += ',';
  line += message;
  line += ",\r\n";
  return AppendToFile(GetLogFilePath(env, now), line);
}

}  // namespace velk
