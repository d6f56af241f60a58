#pragma once
// What compare and export share: a Platform without windows, the options
// that give a Session its settings, and a progress line for long runs.
#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "mainwindow/session.h"
#include "platform/platform.h"

namespace mirrin::cli {

// Message boxes are printed on the error stream and answered OK where OK
// is offered, else No, else Cancel; there are no windows to find, no
// folders or menus to choose from. Time and zone are the machine's.
class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform(std::ostream& err, std::string programDir);

  int MsgBox(const std::string& text, int style, const std::string& title) override;
  std::vector<std::string> TopLevelWindowTitles() override { return {}; }
  std::optional<std::string> BrowseForFolder(const std::string&) override { return std::nullopt; }
  std::optional<int> PopupMenu(const std::vector<std::string>&) override { return std::nullopt; }
  void DoEvents() override {
    if (onEvents) onEvents();
  }
  void SetBusy(bool) override {}
  void Beep() override {}
  double Now() override;
  TimeZoneInfo TimeZone() override { return timeZone_; }
  std::string ProgramDirectory() override { return programDir_; }
  ScreenSize Screen() override { return {}; }

  // Called whenever the engine lets window messages run.
  std::function<void()> onEvents;
  // Critical boxes shown: the engine reports its errors this way.
  int errorsShown = 0;

 private:
  std::ostream& err_;
  std::string programDir_;
  TimeZoneInfo timeZone_;
};

// --config FILE, --set Key=Value (repeated), --kind KIND, --quiet.
struct SessionOptions {
  std::string config;
  std::vector<std::string> sets;
  std::string kind;
  bool quiet = false;
};

// Takes the option at args[i] (and its value) when it is one of the
// shared ones, advancing i; false for any other argument. A missing value
// is reported on err and sets `failed`.
bool TakeSessionOption(const std::vector<std::string>& args, size_t& i, SessionOptions& options, bool& failed,
                       std::ostream& err);

// The folder a run's Session treats as the program's: the configuration
// file's folder, else the current one.
std::string ProgramDirFor(const SessionOptions& options);

// Reads the configuration file (when given) and the --set lines, which
// override the file's, into the session's settings; no log is written.
// False, with a message on err, for a missing file, an unknown key or a
// value that does not convert.
bool ApplySettings(Session& s, const SessionOptions& options, std::ostream& err);

// The kind a --kind text names ("Dates", "Contacts", "To Dos", "Memos" or
// the custom kind's name, without regard to case; "todos" too), which is
// then included even where the configuration leaves it out.
std::optional<Kind> ChooseKind(Session& s, const std::string& text);

// ApplySettings, then ChooseKind for options.kind; nothing, with a message
// on err naming the verb, when either fails.
std::optional<Kind> SettingsAndKind(Session& s, const SessionOptions& options, const char* verb,
                                    std::ostream& err);

// The name users.dat in the folder above gives the user folder; else the
// folder's own name.
std::string UserNameOf(const std::string& userDir);

// A line on err at most once a second, unless quiet.
class ProgressLine {
 public:
  ProgressLine(std::ostream& err, bool quiet) : err_(err), quiet_(quiet) {}
  void Show(const std::function<std::string()>& text);

 private:
  std::ostream& err_;
  bool quiet_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace mirrin::cli
