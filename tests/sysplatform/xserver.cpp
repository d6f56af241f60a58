#include "sysplatform/xserver.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef MIRRIN_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace mirrin::test {

namespace {

constexpr int kStartMillis = 15000;

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// Reads up to a newline or the end of the pipe, waiting at most kStartMillis.
std::string ReadLine(int fd) {
  std::string line;
  pollfd p{fd, POLLIN, 0};
  while (poll(&p, 1, kStartMillis) > 0) {
    char c;
    if (read(fd, &c, 1) != 1 || c == '\n') break;
    line += c;
  }
  return line;
}

void Reap(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

Xvfb::Xvfb() {
  const std::string xvfb = FindOnPath("Xvfb");
  if (xvfb.empty()) {
    why_ = "Xvfb is not installed (Debian package xvfb)";
    return;
  }
  int fds[2];
  if (pipe(fds) != 0) {
    why_ = "no pipe for Xvfb";
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    close(fds[0]);
    const int devnull = open("/dev/null", O_RDWR);
    dup2(devnull, 1);
    dup2(devnull, 2);
    const std::string fd = std::to_string(fds[1]);
    execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
          "640x480x24", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  const std::string number = pid_ > 0 ? ReadLine(fds[0]) : std::string();
  close(fds[0]);
  if (number.empty()) {
    why_ = "Xvfb did not start";
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      Reap(pid_);
      pid_ = -1;
    }
    return;
  }
  display_ = ":" + number;
}

Xvfb::~Xvfb() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    Reap(pid_);
  }
}

#ifdef MIRRIN_HAVE_XCB
namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(r);
  return atom;
}

// Runs in the child: shows the windows, reports readiness, waits.
[[noreturn]] void ShowWindows(const std::string& display, const std::vector<TestWindow>& windows,
                              int readyFd, int holdFd) {
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(display.c_str(), &screenNumber);
  if (xcb_connection_has_error(c)) _exit(1);
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
  xcb_screen_t* screen = it.data;
  const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  std::vector<xcb_window_t> listed;
  for (const TestWindow& w : windows) {
    const xcb_window_t id = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, id, screen->root, 10, 10, 200, 100, 1,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    if (!w.wmName.empty()) {
      xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                          static_cast<uint32_t>(w.wmName.size()), w.wmName.data());
    }
    if (!w.netWmName.empty()) {
      xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, netWmName, utf8, 8,
                          static_cast<uint32_t>(w.netWmName.size()), w.netWmName.data());
    }
    xcb_map_window(c, id);
    if (w.inClientList) listed.push_back(id);
  }
  if (!listed.empty()) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, screen->root, Atom(c, "_NET_CLIENT_LIST"),
                        XCB_ATOM_WINDOW, 32, static_cast<uint32_t>(listed.size()), listed.data());
  }
  // A round trip, so the server has done all of it before we say so.
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  if (write(readyFd, "r", 1) != 1) _exit(1);
  char c2;
  while (read(holdFd, &c2, 1) > 0) {
  }
  xcb_disconnect(c);
  _exit(0);
}

}  // namespace

WindowProgram::WindowProgram(const std::string& display, const std::vector<TestWindow>& windows) {
  int ready[2], hold[2];
  if (pipe(ready) != 0) return;
  if (pipe(hold) != 0) {
    close(ready[0]);
    close(ready[1]);
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    close(ready[0]);
    close(hold[1]);
    ShowWindows(display, windows, ready[1], hold[0]);
  }
  close(ready[1]);
  close(hold[0]);
  hold_ = hold[1];
  pollfd p{ready[0], POLLIN, 0};
  char c;
  ready_ = pid_ > 0 && poll(&p, 1, kStartMillis) > 0 && read(ready[0], &c, 1) == 1;
  close(ready[0]);
}

#else

WindowProgram::WindowProgram(const std::string&, const std::vector<TestWindow>&) {}

#endif

void WindowProgram::Stop() {
  if (hold_ >= 0) close(hold_);
  hold_ = -1;
  if (pid_ > 0) Reap(pid_);
  pid_ = -1;
}

}  // namespace mirrin::test
