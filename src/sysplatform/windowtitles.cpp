#include "sysplatform/windowtitles.h"

#ifndef _WIN32

#include <cstdlib>
#include <cstring>
#include <memory>

#include "sysplatform/codepage.h"

#ifdef MIRRIN_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace mirrin {

#ifdef MIRRIN_HAVE_XCB
namespace {

// Longest property read, in 32-bit units: window lists and names are far
// shorter, and a hostile client cannot make us read more.
constexpr uint32_t kMaxPropertyLongs = 1 << 16;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeDeleter>;

struct Atoms {
  xcb_atom_t clientList = XCB_ATOM_NONE;
  xcb_atom_t netWmName = XCB_ATOM_NONE;
  xcb_atom_t utf8String = XCB_ATOM_NONE;
};

Atoms InternAtoms(xcb_connection_t* c) {
  const char* names[] = {"_NET_CLIENT_LIST", "_NET_WM_NAME", "UTF8_STRING"};
  xcb_intern_atom_cookie_t cookies[3];
  for (int i = 0; i < 3; ++i) {
    cookies[i] = xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(names[i])), names[i]);
  }
  xcb_atom_t atoms[3];
  for (int i = 0; i < 3; ++i) {
    Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, cookies[i], nullptr));
    atoms[i] = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
  }
  return {atoms[0], atoms[1], atoms[2]};
}

// A reply of nullptr (the window went away, or the atom is unknown) is
// treated as an absent property.
Reply<xcb_get_property_reply_t> GetProperty(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
  xcb_generic_error_t* error = nullptr;
  Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(c, cookie, &error));
  std::free(error);
  if (r && r->type == XCB_ATOM_NONE) r.reset();
  return r;
}

std::vector<xcb_window_t> ClientList(xcb_connection_t* c, xcb_window_t root, const Atoms& atoms) {
  std::vector<xcb_window_t> windows;
  if (atoms.clientList == XCB_ATOM_NONE) return windows;
  auto r =
      GetProperty(c, xcb_get_property(c, 0, root, atoms.clientList, XCB_ATOM_WINDOW, 0, kMaxPropertyLongs));
  if (!r || r->format != 32) return windows;
  const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(r.get()));
  windows.assign(ids, ids + xcb_get_property_value_length(r.get()) / 4);
  return windows;
}

std::vector<xcb_window_t> RootChildren(xcb_connection_t* c, xcb_window_t root) {
  Reply<xcb_query_tree_reply_t> r(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
  if (!r) return {};
  const xcb_window_t* kids = xcb_query_tree_children(r.get());
  return {kids, kids + xcb_query_tree_children_length(r.get())};
}

// WM_NAME of type STRING is Latin-1; other types (UTF-8, compound text with
// nothing but ASCII) are taken as they are.
std::string NameText(const xcb_get_property_reply_t& r) {
  const auto* p = static_cast<const char*>(xcb_get_property_value(&r));
  std::string text(p, static_cast<size_t>(xcb_get_property_value_length(&r)));
  if (r.type != XCB_ATOM_STRING) return text;
  std::string utf8;
  for (char byte : text) {
    const auto ch = static_cast<unsigned char>(byte);
    if (ch < 0x80) {
      utf8 += static_cast<char>(ch);
    } else {
      utf8 += static_cast<char>(0xC0 | ch >> 6);
      utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return utf8;
}

std::vector<std::string> WindowNames(xcb_connection_t* c, const std::vector<xcb_window_t>& windows,
                                     const Atoms& atoms) {
  // All requests first, then the replies: one round trip instead of one per window.
  std::vector<xcb_get_property_cookie_t> netNames, wmNames;
  for (xcb_window_t w : windows) {
    netNames.push_back(xcb_get_property(c, 0, w, atoms.netWmName, atoms.utf8String, 0, kMaxPropertyLongs));
    wmNames.push_back(
        xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxPropertyLongs));
  }
  std::vector<std::string> titles;
  for (size_t i = 0; i < windows.size(); ++i) {
    auto net = GetProperty(c, netNames[i]);
    auto wm = GetProperty(c, wmNames[i]);
    if (net && xcb_get_property_value_length(net.get()) > 0) {
      titles.push_back(NameText(*net));
    } else if (wm && xcb_get_property_value_length(wm.get()) > 0) {
      titles.push_back(NameText(*wm));
    }
  }
  return titles;
}

}  // namespace

std::vector<std::string> X11TopLevelWindowTitles() {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return {};
  int screenNumber = 0;
  std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> c(xcb_connect(display, &screenNumber),
                                                                   xcb_disconnect);
  if (!c || xcb_connection_has_error(c.get())) return {};
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c.get()));
  for (int i = 0; i < screenNumber && it.rem > 0; ++i) xcb_screen_next(&it);
  if (it.rem == 0) return {};
  const xcb_window_t root = it.data->root;

  const Atoms atoms = InternAtoms(c.get());
  std::vector<xcb_window_t> windows = ClientList(c.get(), root, atoms);
  if (windows.empty()) windows = RootChildren(c.get(), root);
  return WindowNames(c.get(), windows, atoms);
}

#else

std::vector<std::string> X11TopLevelWindowTitles() { return {}; }

#endif

std::vector<std::string> TopLevelWindowTitles() {
  std::vector<std::string> titles = X11TopLevelWindowTitles();
  for (std::string& t : titles) t = FromUtf8(t);
  return titles;
}

}  // namespace mirrin

#endif  // _WIN32
