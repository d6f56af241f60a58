#pragma once
// A private X server and windows on it for tests of the window-title
// lookup, so they never touch the desktop they run on.
#include <sys/types.h>

#include <string>
#include <vector>

namespace mirrin::test {

// Xvfb on a display number it picks itself (-displayfd); stopped on destruction.
class Xvfb {
 public:
  Xvfb();
  ~Xvfb();
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  // False when Xvfb is not installed or did not come up.
  bool Running() const { return !display_.empty(); }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

struct TestWindow {
  std::string wmName;     // WM_NAME, type STRING (Latin-1); empty: not set
  std::string netWmName;  // _NET_WM_NAME, UTF-8; empty: not set
  bool inClientList = false;
};

// A client of `display` that maps the windows and, when any is marked, sets
// the root's _NET_CLIENT_LIST to those as a window manager would. Its
// windows go when it disconnects (on destruction), as a program's do.
class WindowProgram {
 public:
  WindowProgram(const std::string& display, const std::vector<TestWindow>& windows);
  ~WindowProgram();
  WindowProgram(const WindowProgram&) = delete;
  WindowProgram& operator=(const WindowProgram&) = delete;

  bool Ready() const { return connection_ != nullptr; }

 private:
  void* connection_ = nullptr;
};

}  // namespace mirrin::test
