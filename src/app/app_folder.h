// SPDX-License-Identifier: MIT
// Where the application keeps its files (the executable's folder unless told otherwise), and
// the command-line options.
#pragma once

#include <string>

namespace velk {

// The value of "--name VALUE" or "--name=VALUE" on the command line, or "" when absent.
std::string CommandLineOption(int argc, char** argv, const std::string& name);

// The application folder with a trailing separator. In order: the command-line option
// "--app-dir DIR" (or "--app-dir=DIR"), the environment variable VELK_APP_DIR, and the folder
// of the executable.
std::string ResolveAppFolder(int argc, char** argv, const std::string& executableFolder);

}  // namespace velk
