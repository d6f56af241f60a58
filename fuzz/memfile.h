#pragma once
// For readers that take a path: the input is put in an in-memory file, so a
// run touches no disk. And a platform that answers every box with OK.
#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace mirrin::fuzz {

class MemFile {
 public:
  MemFile() : fd_(::memfd_create("fuzz", 0)), path_("/proc/self/fd/" + std::to_string(fd_)) {}
  const std::string& Put(std::string_view bytes) {
    if (::ftruncate(fd_, 0) != 0 ||
        ::pwrite(fd_, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
      std::abort();
    }
    return path_;
  }

 private:
  int fd_;
  std::string path_;
};

struct QuietPlatform : Platform {
  int MsgBox(const std::string&, int, const std::string&) override { return 1; }
  std::vector<std::string> TopLevelWindowTitles() override { return {}; }
  std::optional<std::string> BrowseForFolder(const std::string&) override { return std::nullopt; }
  std::optional<int> PopupMenu(const std::vector<std::string>&) override { return std::nullopt; }
  void DoEvents() override {}
  void SetBusy(bool) override {}
  void Beep() override {}
  double Now() override { return 45000; }
  TimeZoneInfo TimeZone() override { return {}; }
  std::string ProgramDirectory() override { return "C:\\prog"; }
  ScreenSize Screen() override { return {}; }
};

}  // namespace mirrin::fuzz
