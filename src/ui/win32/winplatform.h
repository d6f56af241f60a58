#pragma once
// The Platform of the Windows program: USER32 message boxes, the shell's
// folder browser, a native pop-up menu and the hourglass, and the machine's
// clock, time zone, window titles and program folder.
#include <windows.h>

#include "platform/platform.h"
#include "sysplatform/systemservices.h"

namespace mirrin::win32 {

class WinPlatform : public Platform {
 public:
  WinPlatform() = default;

  // The window that message boxes and the folder browser belong to.
  void SetParentWindow(HWND window) { parent_ = window; }
  HWND ParentWindow() const { return parent_; }
  bool Busy() const { return busy_; }

  int MsgBox(const std::string& text, int style, const std::string& title) override;
  std::vector<std::string> TopLevelWindowTitles() override { return system_.TopLevelWindowTitles(); }
  std::optional<std::string> BrowseForFolder(const std::string& prompt) override;
  std::optional<int> PopupMenu(const std::vector<std::string>& captions) override;
  void DoEvents() override;
  void SetBusy(bool busy) override;
  void Beep() override { MessageBeep(MB_OK); }
  double Now() override { return system_.Now(); }
  TimeZoneInfo TimeZone() override { return system_.TimeZone(); }
  std::string ProgramDirectory() override { return system_.ProgramDirectory(); }
  ScreenSize Screen() override;

 private:
  SystemServices system_;
  HWND parent_ = nullptr;
  bool busy_ = false;
};

}  // namespace mirrin::win32
