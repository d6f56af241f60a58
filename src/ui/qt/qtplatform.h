#pragma once
// The Platform of the real program: Qt's message boxes, folder browser,
// pop-up menu and pointer, and the machine's clock, time zone, window
// titles and program folder.
#include <QPointer>
#include <QWidget>

#include "sysplatform/systemservices.h"
#include "platform/platform.h"

namespace mirrin::qt {

class QtPlatform : public Platform {
 public:
  QtPlatform() = default;

  // The window that message boxes and the folder browser belong to.
  void SetParentWindow(QWidget* window) { parent_ = window; }

  int MsgBox(const std::string& text, int style, const std::string& title) override;
  std::vector<std::string> TopLevelWindowTitles() override { return system_.TopLevelWindowTitles(); }
  std::optional<std::string> BrowseForFolder(const std::string& prompt) override;
  std::optional<int> PopupMenu(const std::vector<std::string>& captions) override;
  void DoEvents() override;
  void SetBusy(bool busy) override;
  void Beep() override;
  double Now() override { return system_.Now(); }
  TimeZoneInfo TimeZone() override { return system_.TimeZone(); }
  std::string ProgramDirectory() override { return system_.ProgramDirectory(); }
  ScreenSize Screen() override;

 private:
  SystemServices system_;
  QPointer<QWidget> parent_;
  bool busy_ = false;
};

}  // namespace mirrin::qt
