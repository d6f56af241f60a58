#pragma once
// Where the program keeps its configuration, category filter and log: the
// executable's folder, or MIRRIN_HOME when set (so a build can be run on
// data kept elsewhere, e.g. the demo). An executable installed in a folder
// the user cannot write (under /usr) keeps them in the user's configuration
// folder instead.
#include <string>

namespace mirrin {

// Native form, without a trailing separator (except for the root itself).
std::string ProgramDirectory();

// exeDir when it can be written; otherwise $XDG_CONFIG_HOME/mirrin (default
// ~/.config/mirrin), made when missing.
std::string SettingsFolderFor(const std::string& exeDir);

}  // namespace mirrin
