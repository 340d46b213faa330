// SPDX-License-Identifier: MIT
// The PC's own address as the status line shows it, and its history in "iphist.dat".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/app_env.h"

namespace velk {

// "iphist.dat" in the log folder.
std::string GetIpHistoryPath(const TAppEnv& env);

// Appends "yyyy/mm/dd hh:nn.ss,<address>," and CR LF (UTF-8); a failure is logged.
bool AppendIpHistory(const TAppEnv& env, std::string_view address);

// The address to report among the host's IPv4 addresses (text form, interface order): the first
// that is neither loopback (127/8) nor link-local (169.254/16), else the first loopback one, else
// empty.
std::string PickHostAddress(const std::vector<std::string>& addresses);

}  // namespace velk
