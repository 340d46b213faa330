// SPDX-License-Identifier: MIT
// Where the application keeps its files (the executable's folder unless told otherwise, or the
// user's data folder for an installed program), and the command-line options.
#pragma once

#include <string>

namespace velk {

// The value of "--name VALUE" or "--name=VALUE" on the command line, or "" when absent.
std::string CommandLineOption(int argc, char** argv, const std::string& name);

// What the application folder is chosen from.
struct TAppFolderSources {
  std::string Option;            // "--app-dir", "" when absent
  std::string Environment;       // VELK_APP_DIR, "" when unset
  std::string ExecutableFolder;  // the folder of the running executable
  bool ExecutableFolderUsable = true;
  std::string XdgDataHome;  // XDG_DATA_HOME, "" when unset
  std::string Home;         // the user's home folder
};

struct TAppFolderChoice {
  // With a trailing separator.
  std::string Folder;
  // The executable's folder when it had to be given up for the user's data folder, else "".
  std::string GivenUp;
};

// In order: the option, the environment variable, the executable's folder when it can hold the
// files, and otherwise "<XDG_DATA_HOME>/uecs-velk/" ("<home>/.local/share/uecs-velk/" when
// XDG_DATA_HOME is unset or not absolute).
TAppFolderChoice ChooseAppFolder(const TAppFolderSources& sources);

// True when a program may keep its files in the folder: it exists, this user can write there,
// and it is not one of the system's program folders (/usr/bin and the like), which belong to the
// package manager even for root.
bool CanHoldAppFiles(const std::string& folder);

// ChooseAppFolder over the command line, the process environment and the file system; a relative
// folder is made absolute.
TAppFolderChoice ResolveAppFolder(int argc, char** argv, const std::string& executableFolder);

// The one log line that tells where the files went when the executable's folder was given up.
std::string AppFolderNotice(const TAppFolderChoice& choice);

}  // namespace velk
