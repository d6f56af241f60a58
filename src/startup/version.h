#pragma once
// The program's name and version as the start-up and error texts show them.
// The numbers themselves live beside the data-file layer, which needs them too.
#include <string>

#include "palmdata/version.h"

namespace mirrin {

// The executable's base name: the configuration, filter and log file names
// start with it.
inline constexpr const char* kProgramName = "Mirrin";

// Named at the end of every error report.
inline constexpr const char* kSupportContact = "the Mirrin project (mirrin@users.noreply.github.com)";

// "3.0.26"
inline std::string VersionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

}  // namespace mirrin
