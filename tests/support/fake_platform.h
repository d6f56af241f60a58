#pragma once
// A Platform for tests: message boxes recorded, a clock that stands still
// until the test moves it, and canned answers for the folder browser and
// pop-up menus.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace mirrin::test {

struct ShownBox {
  std::string text;
  int style = 0;
  std::string title;
};

class FakePlatform : public Platform {
 public:
  FakePlatform();

  void SetNow(double date) { now_ = date; }
  void AdvanceSeconds(double seconds) { now_ += seconds / 86400.0; }

  // A box with only an OK button answers OK; any other box is a question
  // no test expects: it fails the test and answers Cancel.
  int MsgBox(const std::string& text, int style, const std::string& title) override;
  std::vector<std::string> TopLevelWindowTitles() override { return windowTitles; }
  std::optional<std::string> BrowseForFolder(const std::string& prompt) override;
  std::optional<int> PopupMenu(const std::vector<std::string>& captions) override;
  void DoEvents() override {}
  void SetBusy(bool busy) override { busyHistory.push_back(busy); }
  void Beep() override { ++beepCount; }
  double Now() override { return now_; }
  TimeZoneInfo TimeZone() override { return timeZone; }
  std::string ProgramDirectory() override { return programDir; }
  ScreenSize Screen() override { return screen; }

  // What the code under test was shown.
  std::vector<ShownBox> boxes;
  std::vector<std::vector<std::string>> popupsShown;
  std::vector<bool> busyHistory;
  int beepCount = 0;

  // What the machine looks like.
  std::vector<std::string> windowTitles;
  std::deque<std::optional<std::string>> folderAnswers;  // empty: cancelled
  std::deque<std::optional<int>> popupAnswers;           // empty: nothing chosen
  TimeZoneInfo timeZone;                                 // UTC unless set
  std::string programDir;
  ScreenSize screen{15360, 11520};  // 1024 x 768 pixels

 private:
  double now_;
};

}  // namespace mirrin::test
