#pragma once
// Titles of the desktop's top-level windows, for the running check: Palm
// Desktop and HotSync run under Wine on Linux, where their windows are
// ordinary X11 clients.
#include <string>
#include <vector>

namespace mirrin {

// The titles, as UTF-8, of the windows in the window manager's client list
// (_NET_CLIENT_LIST), each from _NET_WM_NAME or else WM_NAME. Without a
// window manager (no client list) the root window's children are asked
// instead. Empty when there is no display or the build has no xcb.
std::vector<std::string> X11TopLevelWindowTitles();

// This machine's top-level window titles in the data files' code page, as
// Platform::TopLevelWindowTitles gives them: EnumWindows on Windows, X11
// elsewhere.
std::vector<std::string> TopLevelWindowTitles();

}  // namespace mirrin
