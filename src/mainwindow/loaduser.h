#pragma once
// Loading a user's files into a side's store when its user field changes.
#include <cstdint>
#include <functional>

#include "mainwindow/session.h"

namespace mirrin {

// What loading tells windows other than the main one. Either may be empty.
struct LoadUserHooks {
  // Advances the splash window's "Loading ." indicator and repaints it.
  std::function<void()> splashProgress;
  // The Configure Users dialog's "No. of Date entries:" of the side's user.
  std::function<void(Side side, int32_t dateCount)> showDateCount;
  // The read-only tools leave the Palm folders as they are: no safety copy.
  bool makeSafetyCopy = true;
};

// The placeholders start-up writes into a user field when no Palm folder
// or no user is configured; such a field loads nothing.
inline constexpr const char* kNoPalmDirText = "Please select a Pilot directory -->";
inline constexpr const char* kChooseUserText = "Please choose User";

// The one-time safety copy of a datebook: the datebook's path + this.
inline constexpr const char* kSafetyCopySuffix = ".preMirrin22";

// The configured path (backslashes) of the user's file of that kind below
// the user folder dir; the custom kind's file is dir + Custom1File.
std::string KindFilePath(const Settings& settings, const std::string& dir, Kind kind);

// Reads the file at path as the side's file of that kind into `into`
// (header and records of that kind only), as loading does.
void ReadKindFile(Session& s, Side side, Kind kind, const std::string& path, UserStore& into);

// Runs on the change of a pane's userName. A read error
// is reported under "Loading User '<name>'" and ends the program.
void LoadUser(Session& s, Side side, const LoadUserHooks& hooks = {});

}  // namespace mirrin
