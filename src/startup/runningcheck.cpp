#include "startup/runningcheck.h"

namespace mirrin {

bool IsPalmDesktopRunning(Platform& platform, std::string& title) {
  for (const std::string& t : platform.TopLevelWindowTitles()) {
    if (t == "HotSync Progress" || t == "Palm Desktop") {
      title = t;
      return true;
    }
  }
  return false;
}

}  // namespace mirrin
