#include "sysplatform/xserver.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#ifdef MIRRIN_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace mirrin::test {

Xvfb::Xvfb() {
  int fds[2];
  if (pipe(fds) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(fds[0]);
    const int devnull = open("/dev/null", O_RDWR);
    dup2(devnull, 1);
    dup2(devnull, 2);
    const std::string fd = std::to_string(fds[1]);
    // -noreset: the server would reset, and refuse connections a moment,
    // whenever its last client leaves.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset", "-screen", "0",
           "640x480x24", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // The display number, on one line, once the server accepts clients.
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  char c;
  while (pid_ > 0 && poll(&p, 1, 15000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (!number.empty()) display_ = ":" + number;
}

Xvfb::~Xvfb() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}

#ifdef MIRRIN_HAVE_XCB
namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(r);
  return atom;
}

void SetText(xcb_connection_t* c, xcb_window_t id, xcb_atom_t property, xcb_atom_t type,
             const std::string& text) {
  if (text.empty()) return;
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, property, type, 8, static_cast<uint32_t>(text.size()),
                      text.data());
}

}  // namespace

WindowProgram::WindowProgram(const std::string& display, const std::vector<TestWindow>& windows) {
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(display.c_str(), &screenNumber);
  if (xcb_connection_has_error(c)) {
    xcb_disconnect(c);
    return;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
  const xcb_window_t root = it.data->root;
  std::vector<xcb_window_t> listed;
  for (const TestWindow& w : windows) {
    const xcb_window_t id = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, id, root, 10, 10, 200, 100, 1, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      it.data->root_visual, 0, nullptr);
    SetText(c, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, w.wmName);
    SetText(c, id, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), w.netWmName);
    xcb_map_window(c, id);
    if (w.inClientList) listed.push_back(id);
  }
  if (!listed.empty()) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, Atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 32,
                        static_cast<uint32_t>(listed.size()), listed.data());
  }
  // A round trip, so the server has done all of it before the test looks.
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  connection_ = c;
}

WindowProgram::~WindowProgram() {
  if (connection_ != nullptr) xcb_disconnect(static_cast<xcb_connection_t*>(connection_));
}

#else

WindowProgram::WindowProgram(const std::string&, const std::vector<TestWindow>&) {}
WindowProgram::~WindowProgram() = default;

#endif

}  // namespace mirrin::test
