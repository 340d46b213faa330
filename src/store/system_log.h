// SPDX-License-Identifier: MIT
// The folder tree below the application folder and the daily system log.
#pragma once

#include <string>
#include <string_view>

#include "base/app_env.h"

namespace velk {

std::string GetSysFolder(const TAppEnv& env);  // application folder + "Sys"
std::string GetLogFolder(const TAppEnv& env);  // + "/Log"
std::string GetRcdFolder(const TAppEnv& env);  // + "/Rcd"

// Makes sure the three folders exist; a failure for one never stops the others.
bool EnsureFolders(const TAppEnv& env);

// The log file of the date of `now`: log folder + "/System" + yyyymmdd + ".Log".
std::string GetLogFilePath(const TAppEnv& env, double now);

// Appends "E,yyyy/mm/dd hh:nn.ss,<message>," + CR LF to today's log (UTF-8, opened and closed per
// line). History-only instances write nothing and get true.
bool WriteSystemLog(const TAppEnv& env, std::string_view message);

}  // namespace velk
