// The Windows window over the demo users, driven by the messages the
// operator's mouse and menus send: a load, an Add across and a Save, then
// the other user's file read back from disk.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
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

// Polls for up to a minute; the window under test answers meanwhile.
void WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 3000 && !done(); ++i) Sleep(20);
}

std::wstring TextOf(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

class Win32WindowTest : public ::testing::Test {
 protected:
  Win32WindowTest() {
    SetEnvironmentVariableW(L"MIRRIN_HOME", win32::Utf8ToWide(dir.Path()).c_str());
    _putenv_s("MIRRIN_HOME", dir.Path().c_str());
    platform = std::make_unique<AnsweringPlatform>();
    cli::WriteDemo(dir.Path() + "\\Palm", dir.Path(), platform->Now(), platform->TimeZone(), {"Cleo"});
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
  EXPECT_EQ(TextOf(Hwnd(f().panes[kLeft].description)), L"Lunch with Carla");

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
  // The operator, once the dialog is shown: clicks the archive box, then
  // the close box.
  HWND dialog = windows->configure.Hwnd();
  HWND box = windows->configure.Form().HwndOf(app->configure.chkArchive);
  std::thread op([=] {
    WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; });
    PostMessageW(box, BM_CLICK, 0, 0);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  SendMessageW(windows->main.Hwnd(), WM_COMMAND, MAKEWPARAM(MenuCommand(L"&Configure..."), 0), 0);
  op.join();
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(windows->main.Hwnd()));
  EXPECT_EQ(app->session.settings.ArchiveDeleted, archive);
  EXPECT_EQ(test::ReadFileBytes(config), before);
}

TEST_F(Win32WindowTest, KeysTypingAndMultipleSelectionReachTheModels) {
  Pick(Hwnd(f().kindSelector), L"Dates");
  HWND left = Hwnd(app->session.List(kLeft));
  ClickRow(left, 0);
  // Down moves the selection as a click on the next row would.
  SendMessageW(left, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(left, WM_KEYUP, VK_DOWN, 0);
  windows->Pump();
  EXPECT_EQ(app->session.List(kLeft).ListIndex(), 1);
  EXPECT_EQ(SendMessageW(left, LB_GETCURSEL, 0, 0), 1);
  std::wstring row(256, L'\0');
  SendMessageW(left, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row.data()));
  EXPECT_NE(row.find(TextOf(Hwnd(f().panes[kLeft].description))), std::wstring::npos);

  // Every button shows its model's caption and state.
  for (forms::Button* b : f().AllTransferButtons()) {
    EXPECT_EQ(TextOf(Hwnd(*b)), win32::ToWide(b->Caption()));
    EXPECT_EQ(IsWindowEnabled(Hwnd(*b)) != FALSE, b->Enabled()) << b->Caption();
  }

  // Typing a new description edits the record once, and enables Save.
  int changes = 0;
  f().panes[kLeft].description.onChange = [&, inner = f().panes[kLeft].description.onChange] {
    ++changes;
    inner();
  };
  SetWindowTextW(Hwnd(f().panes[kLeft].description), L"Lunch with Carl\u00E4");
  windows->Pump();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(f().panes[kLeft].description.Text(), "Lunch with Carl\xE4");  // Windows-1252
  EXPECT_TRUE(f().saveItem.Enabled());

  // With multiple selection a Ctrl-click adds a row; the control shows both.
  app->session.settings.EnableMultiSelect = true;
  app->main.UseEntryLists();
  Pick(Hwnd(f().kindSelector), L"Contacts");
  Pick(Hwnd(f().kindSelector), L"Dates");
  HWND multi = Hwnd(f().panes[kLeft].multiList);
  ASSERT_TRUE(IsWindowVisible(multi));
  ASSERT_GE(SendMessageW(multi, LB_GETCOUNT, 0, 0), 2);
  ClickRow(multi, 0);
  RECT r{};
  SendMessageW(multi, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  SendMessageW(multi, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(r.left + 5, r.top + 2));
  windows->Pump();
  EXPECT_EQ(f().panes[kLeft].multiList.SelCount(), 2);
  EXPECT_EQ(SendMessageW(multi, LB_GETSELCOUNT, 0, 0), 2);
}

TEST_F(Win32WindowTest, ConfigureUsersPickLoadsTheUserAndOkWritesTheFile) {
  // The operator, once the dialog is shown: picks Cleo (a user without
  // files) as the first user and, when she is loaded, presses OK.
  UserFrame& first = app->configUser.Frame(kLeft);
  win32::FormView& dialog = windows->configUser.Form();
  HWND users = dialog.HwndOf(first.users), ok = dialog.HwndOf(app->configUser.cmdOK);
  HWND loaded = Hwnd(f().panes[kLeft].userName), window = windows->configUser.Hwnd();
  std::thread op([=] {
    WaitUntil([&] { return IsWindowVisible(window) != FALSE; });
    const auto cleo =
        SendMessageW(users, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Cleo"));
    PostMessageW(users, CB_SETCURSEL, static_cast<WPARAM>(cleo), 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(users), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(users));
    WaitUntil([&] { return TextOf(loaded) == L"Cleo"; });
    PostMessageW(ok, BM_CLICK, 0, 0);
  });
  SendMessageW(windows->main.Hwnd(), WM_COMMAND, MAKEWPARAM(MenuCommand(L"Configure &Users..."), 0), 0);
  op.join();
  windows->Pump();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(TextOf(loaded), L"Cleo");
  EXPECT_NE(test::ReadFileBytes(dir.Path() + "\\Mirrin.cfg").find("PalmUser1=Cleo\r\n"), std::string::npos);
  EXPECT_TRUE(platform->shown.empty()) << platform->shown.front();
}

// Presses the button captioned `button` of the message box titled `title`
// once it is shown, and keeps the captions of all its buttons.
std::thread Answer(const wchar_t* title, const wchar_t* button, std::vector<std::wstring>& captions) {
  return std::thread([=, &captions] {
    for (int i = 0; i < 3000; ++i) {
      // Found once it is shown, its buttons made.
      HWND box = FindWindowW(L"#32770", title);
      if (box == nullptr || !IsWindowVisible(box)) {
        Sleep(20);
        continue;
      }
      for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(child)) captions.push_back(TextOf(child));
      }
      for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (TextOf(child) == button) PostMessageW(child, BM_CLICK, 0, 0);
      }
      return;
    }
  });
}

TEST_F(Win32WindowTest, MessageBoxesHaveTheClassicButtonsAndAnswers) {
  struct Case {
    int style;
    const wchar_t* press;
    int answer;
    std::vector<std::wstring> buttons;
  };
  const std::vector<Case> cases{
      {51, L"&No", mb::No, {L"&Yes", L"&No", L"Cancel"}},  // Yes/No/Cancel with the exclamation
      {mb::OKCancel | mb::Critical, L"OK", mb::OK, {L"OK", L"Cancel"}},
      {mb::YesNo | mb::Question, L"&Yes", mb::Yes, {L"&Yes", L"&No"}},
  };
  for (const Case& c : cases) {
    std::vector<std::wstring> captions;
    std::thread answering = Answer(L"Mirrin test", c.press, captions);
    const int answer =
        platform->WinPlatform::MsgBox("Save Data Changes before Exit?", c.style, "Mirrin test");
    answering.join();
    EXPECT_EQ(answer, c.answer) << c.style;
    EXPECT_EQ(captions, c.buttons) << c.style;
  }
}

TEST(Win32Text, CodePageTextAndLineBreaksCrossTheBoundary) {
  // Windows-1252 bytes, a euro sign among them, to UTF-16 and back.
  EXPECT_EQ(win32::ToWide("Caf\xE9 \x80"), L"Caf\u00E9 \u20AC");
  EXPECT_EQ(win32::FromWide(L"Caf\u00E9 \u20AC"), "Caf\xE9 \x80");
  // A character outside the BMP survives UTF-8 both ways.
  EXPECT_EQ(win32::Utf8ToWide(win32::WideToUtf8(L"\U0001F600")), L"\U0001F600");
  // Edit controls break lines only at CR LF.
  EXPECT_EQ(win32::ToWideLines("a\rb\nc\r\nd"), L"a\r\nb\r\nc\r\nd");
}

}  // namespace
}  // namespace mirrin
