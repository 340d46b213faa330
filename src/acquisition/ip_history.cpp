// SPDX-License-Identifier: MIT
#include "acquisition/ip_history.h"

#include "base/date_format.h"
#include "base/file_io.h"
#include "store/system_log.h"

namespace velk {

std::string GetIpHistoryPath(const TAppEnv& env) {
  return GetLogFolder(env) + kPathSep + "iphist.dat";
}

bool AppendIpHistory(const TAppEnv& env, std::string_view address) {
  std::string line = FormatDateTime(kFmtLogTime, env.Now());
  line += ',';
  line += address;
  line += ",\r\n";
  if (AppendToFile(GetIpHistoryPath(env), line)) return true;
  WriteSystemLog(env, "CCMCtrl: iphist.dat書込失敗");
  return false;
}

std::string PickHostAddress(const std::vector<std::string>& addresses) {
  std::string loopback;
  for (const std::string& a : addresses) {
    if (a.rfind("127.", 0) == 0) {
      if (loopback.empty()) loopback = a;
      continue;
    }
    if (a.rfind("169.254.", 0) == 0 || a.empty()) continue;
    return a;
  }
  return loopback;
}

}  // namespace velk
