#pragma once
// A private X server and a window-showing child process for tests of the
// window-title lookup, so they never touch the desktop they run on.
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

  // False when Xvfb is not installed or did not come up; Why() says which.
  bool Running() const { return !display_.empty(); }
  const std::string& Why() const { return why_; }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
  std::string why_;
};

struct TestWindow {
  std::string wmName;     // WM_NAME, type STRING (Latin-1); empty: not set
  std::string netWmName;  // _NET_WM_NAME, UTF-8; empty: not set
  bool inClientList = false;
};

// A child process that connects to `display`, maps the windows, and, when
// any is marked, sets the root's _NET_CLIENT_LIST to those as a window
// manager would. The windows stay until the object is destroyed, which
// ends the child (and so its windows).
class WindowProgram {
 public:
  WindowProgram(const std::string& display, const std::vector<TestWindow>& windows);
  ~WindowProgram() { Stop(); }
  WindowProgram(const WindowProgram&) = delete;
  WindowProgram& operator=(const WindowProgram&) = delete;

  bool Ready() const { return ready_; }
  void Stop();

 private:
  pid_t pid_ = -1;
  int hold_ = -1;  // the child runs until this pipe end is closed
  bool ready_ = false;
};

}  // namespace mirrin::test
