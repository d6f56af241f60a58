#pragma once
// What the window models need from the machine they run on. The Qt binding
// implements it for real; tests use FakePlatform. Message-box styles and
// answers keep the classic numbers, because the program's texts combine them
// arithmetically (51 = Yes/No/Cancel + exclamation).
#include <optional>
#include <string>
#include <vector>

#include "palmdata/palmtime.h"

namespace mirrin {

namespace mb {
// Button sets
inline constexpr int OKOnly = 0;
inline constexpr int OKCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int ButtonMask = 7;
// Icons
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int IconMask = 112;
// Answers
inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace mb

struct ScreenSize {
  int widthTwips = 0;
  int heightTwips = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Modal; returns one of the mb answers.
  virtual int MsgBox(const std::string& text, int style, const std::string& title) = 0;
  // Titles of all top-level windows of the desktop (the running check).
  virtual std::vector<std::string> TopLevelWindowTitles() = 0;
  // The chosen folder, or none when the operator cancelled.
  virtual std::optional<std::string> BrowseForFolder(const std::string& prompt) = 0;
  // Shown at the mouse position; the chosen caption's index, or none.
  virtual std::optional<int> PopupMenu(const std::vector<std::string>& captions) = 0;
  // Lets pending window messages run, so status texts are painted.
  virtual void DoEvents() = 0;
  // The hourglass pointer.
  virtual void SetBusy(bool busy) = 0;
  virtual void Beep() = 0;
  // Local date and time as a day count (see palmtime.h).
  virtual double Now() = 0;
  virtual TimeZoneInfo TimeZone() = 0;
  // The executable's folder (or MIRRIN_HOME), native form, no trailing separator.
  virtual std::string ProgramDirectory() = 0;
  virtual ScreenSize Screen() = 0;
};

// Ends the program: thrown by the core, caught only by main(), so tests can
// assert it. Deliberately not a std::exception, so routines that trap
// run-time errors let it pass.
struct ProgramEnd {
  int exitCode = 0;
};

}  // namespace mirrin
