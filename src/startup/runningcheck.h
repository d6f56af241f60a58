#pragma once
// Whether Palm Desktop or HotSync is running: they own the same data files,
// so the program neither starts nor saves while one of their windows exists.
#include <string>

#include "platform/platform.h"

namespace mirrin {

// True, with the window's title in `title`, as soon as a top-level window is
// titled exactly "HotSync Progress" or "Palm Desktop"; `title` is left as it
// was otherwise.
bool IsPalmDesktopRunning(Platform& platform, std::string& title);

}  // namespace mirrin
