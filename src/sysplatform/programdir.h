#pragma once
// Where the program keeps its configuration, category filter and log: the
// executable's folder, or MIRRIN_HOME when set (so a build can be run on
// data kept elsewhere, e.g. the demo).
#include <string>

namespace mirrin {

// Native form, without a trailing separator (except for the root itself).
std::string ProgramDirectory();

}  // namespace mirrin
