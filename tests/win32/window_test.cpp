// The Windows window over the demo users, driven by the messages the
// operator's mouse and menus send: a load, an Add across and a Save, then
// the other user's file read back from disk.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/cli/demodata.h"
#include "palmdata/datebookfile.h"
#include "support/filebuilder.h"
#include "ui/app.h"
#include "ui/win32/appwindows.h"
#include "ui/win32/wintext.h"

namespace mirrin {
namespace {

// Answers every message box with its last button and keeps its text, so a
// test that meets an unexpected box fails instead of hanging.
class AnsweringPlatform : public win32::WinPlatform {
 public:
  int MsgBox(const std::string& text, int style, const std::string&) override {
    shown.push_back(text);
    switch (style & mb::ButtonMask) {
      case mb::OKCancel:
      case mb::YesNoCancel:
      case mb::RetryCancel:
        return mb::Cancel;
      case mb::YesNo:
        return mb::No;
      default:
        return mb::OK;
    }
  }
  std::vector<std::string> shown;
};

class Win32WindowTest : public ::testing::Test {
 protected:
  Win32WindowTest() {
    SetEnvironmentVariableW(L"MIRRIN_HOME", win32::Utf8ToWide(dir.Path()).c_str());
    _putenv_s("MIRRIN_HOME", dir.Path().c_str());
    platform = std::make_unique<AnsweringPlatform>();
    cli::WriteDemo(dir.Path() + "\\Palm", dir.Path(), platform->Now(), platform->TimeZone());
    app = std::make_unique<MirrinApp>(*platform);
    windows = std::make_unique<win32::AppWindows>(*app, *platform);
    app->Start({});
    windows->ShowMain();
    windows->Pump();
  }
  ~Win32WindowTest() override {
    windows.reset();
    win32::TakeProgramEnd();
  }

  MainWindowControls& f() { return app->session.controls; }
  HWND Hwnd(const forms::Control& c) { return windows->main.Form().HwndOf(c); }

  // What the operator's pick in a drop-down sends.
  void Pick(HWND combo, const wchar_t* text) {
    const auto index =
        SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    ASSERT_GE(index, 0) << win32::WideToUtf8(text);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    windows->Pump();
  }

  static std::vector<std::wstring> Rows(HWND list) {
    std::vector<std::wstring> rows;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1,
                        L'\0');
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
      rows.push_back(text.c_str());
    }
    return rows;
  }

  int RowWith(HWND list, const std::wstring& part) {
    const std::vector<std::wstring> rows = Rows(list);
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].find(part) != std::wstring::npos) return static_cast<int>(i);
    }
    return -1;
  }

  void ClickRow(HWND list, int row) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    windows->Pump();
  }

  // The File menu's item with this caption, from the window's menu bar.
  UINT MenuCommand(const wchar_t* caption, bool* grayed = nullptr) {
    HMENU file = GetSubMenu(GetMenu(windows->main.Hwnd()), 0);
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
      wchar_t text[64] = {};
      GetMenuStringW(file, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      if (std::wstring(text) != caption) continue;
      if (grayed) *grayed = (GetMenuState(file, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0;
      return GetMenuItemID(file, i);
    }
    return 0;
  }

  test::TempDir dir;
  std::unique_ptr<AnsweringPlatform> platform;
  std::unique_ptr<MirrinApp> app;
  std::unique_ptr<win32::AppWindows> windows;
};

TEST_F(Win32WindowTest, DemoDateAddedAcrossAndSavedReachesTheOtherUsersFile) {
  // Start-up loaded both demo users into the panes.
  EXPECT_EQ(GetWindowTextLengthW(Hwnd(f().panes[kLeft].userName)), 4);  // "Anna"
  Pick(Hwnd(f().kindSelector), L"Dates");
  HWND left = Hwnd(app->session.List(kLeft));
  HWND right = Hwnd(app->session.List(kRight));
  const int leftRows = static_cast<int>(Rows(left).size());
  ASSERT_GT(leftRows, 0);
  // The lists show only what differs: the near twins and each side's own.
  EXPECT_EQ(RowWith(left, L"Dentist"), -1);
  EXPECT_EQ(RowWith(right, L"Lunch with Carla"), -1);
  const int lunch = RowWith(left, L"Lunch with Carla");
  ASSERT_GE(lunch, 0);

  ClickRow(left, lunch);
  EXPECT_EQ(SendMessageW(left, LB_GETCURSEL, 0, 0), lunch);
  const std::string description = win32::WideToUtf8([&] {
    std::wstring text(256, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Hwnd(f().panes[kLeft].description), text.data(), 256)));
    return text;
  }());
  EXPECT_EQ(description, "Lunch with Carla");

  HWND add = Hwnd(f().panes[kRight].add);
  ASSERT_TRUE(IsWindowEnabled(add));
  SendMessageW(add, BM_CLICK, 0, 0);
  windows->Pump();
  // Added records leave the list they came from.
  EXPECT_EQ(static_cast<int>(Rows(left).size()), leftRows - 1);
  EXPECT_EQ(RowWith(left, L"Lunch with Carla"), -1);

  bool grayed = true;
  const UINT save = MenuCommand(L"&Save", &grayed);
  ASSERT_NE(save, 0u);
  EXPECT_FALSE(grayed);
  SendMessageW(windows->main.Hwnd(), WM_COMMAND, MAKEWPARAM(save, 0), 0);
  windows->Pump();
  MenuCommand(L"&Save", &grayed);
  EXPECT_TRUE(grayed);
  EXPECT_TRUE(platform->shown.empty()) << platform->shown.front();

  // The file on disk, read back: Ben's six dates and the copy with Anna's suffix.
  DatFileHeader header;
  std::vector<DateRecord> dates;
  DataContext ctx;
  ReadDatebookFile(1, dir.Path() + "\\Palm\\BenT\\datebook\\datebook.dat", header, dates, ctx);
  ASSERT_EQ(dates.size(), 7u);
  EXPECT_EQ(dates.back().Description, "Lunch with Carla (Anna)");
  EXPECT_EQ(dates.back().RecordId, 2147483647);
}

TEST_F(Win32WindowTest, ViewSwitchAndResizingFollowTheModel) {
  Pick(Hwnd(f().kindSelector), L"Dates");
  HWND left = Hwnd(app->session.List(kLeft));
  SendMessageW(Hwnd(f().switchView), BM_CLICK, 0, 0);
  windows->Pump();
  // Anna's datebook has Unfiled, Business and Personal.
  EXPECT_NE(RowWith(left, L"Business"), -1);
  for (Side side : kSides) {
    SidePane& p = f().panes[side];
    EXPECT_TRUE(IsWindowVisible(Hwnd(p.add)));
    EXPECT_TRUE(IsWindowVisible(Hwnd(p.del)));
    EXPECT_FALSE(IsWindowVisible(Hwnd(p.change)));
    EXPECT_FALSE(IsWindowVisible(Hwnd(p.move)));
    EXPECT_FALSE(IsWindowVisible(Hwnd(p.details)));
  }
  SendMessageW(Hwnd(f().switchView), BM_CLICK, 0, 0);
  windows->Pump();
  EXPECT_NE(RowWith(left, L"Lunch with Carla"), -1);
  EXPECT_TRUE(IsWindowVisible(Hwnd(f().panes[kRight].change)));

  // Half as wide again: the lists grow with the window, placed where the
  // model puts them.
  RECT before{}, window{};
  GetClientRect(left, &before);
  GetWindowRect(windows->main.Hwnd(), &window);
  SetWindowPos(windows->main.Hwnd(), nullptr, 0, 0, (window.right - window.left) * 3 / 2,
               window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER);
  windows->Pump();
  RECT after{}, placed{};
  GetClientRect(left, &after);
  EXPECT_GT(after.right, before.right * 4 / 3);
  GetWindowRect(left, &placed);
  MapWindowPoints(nullptr, windows->main.Hwnd(), reinterpret_cast<POINT*>(&placed), 2);
  const RECT model = win32::PixelRect(app->session.List(kLeft).Layout());
  EXPECT_EQ(placed.left, model.left);
  EXPECT_EQ(placed.right, model.right);
}

TEST_F(Win32WindowTest, ConfigureClosedByItsTitleBarIsCancelAndLeavesTheFile) {
  const std::string config = dir.Path() + "\\Mirrin.cfg";
  const std::string before = test::ReadFileBytes(config);
  const bool archive = app->session.settings.ArchiveDeleted;
  // Waiting in the queue when the modal loop starts: a click on the archive
  // box, then the close box.
  HWND dialog = windows->configure.Hwnd();
  PostMessageW(windows->configure.Form().HwndOf(app->configure.chkArchive), BM_CLICK, 0, 0);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  SendMessageW(windows->main.Hwnd(), WM_COMMAND, MAKEWPARAM(MenuCommand(L"&Configure..."), 0), 0);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(windows->main.Hwnd()));
  EXPECT_EQ(app->session.settings.ArchiveDeleted, archive);
  EXPECT_EQ(test::ReadFileBytes(config), before);
}

}  // namespace
}  // namespace mirrin
