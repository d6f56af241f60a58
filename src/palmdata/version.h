#pragma once
#include <string>

namespace mirrin {

inline constexpr const char* kProductName = "Mirrin";
inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 26;

// "Mirrin 3.0.26": the title of the program's own message boxes.
inline std::string ProductTitleWithVersion() {
  return std::string(kProductName) + " " + std::to_string(kVersionMajor) + "." +
         std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
}

}  // namespace mirrin
