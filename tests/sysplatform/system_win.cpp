// The Windows services under a real (or Wine's) Windows API.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>

#include "palmdata/errors.h"
#include "startup/runningcheck.h"
#include "support/fake_platform.h"
#include "sysplatform/codepage.h"
#include "sysplatform/systemtimezone.h"
#include "sysplatform/windowtitles.h"

namespace mirrin {
namespace {

double DayOf(const SYSTEMTIME& t) {
  return MakeDate(t.wYear, t.wMonth, t.wDay) + MakeTime(t.wHour, t.wMinute, t.wSecond);
}

// The zone record converts the system's UTC clock to the system's local one.
TEST(WindowsServices, TimeZoneRecordGivesTheSystemsLocalTime) {
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  GetLocalTime(&local);
  const double converted = UtcToLocal(DayOf(utc), WindowsTimeZone());
  EXPECT_LT(std::abs(converted - DayOf(local)) * 86400, 5.0);
}

bool Running(std::string& title) {
  test::FakePlatform platform;
  platform.windowTitles = TopLevelWindowTitles();
  return IsPalmDesktopRunning(platform, title);
}

// Another process's window titled "Palm Desktop" stops the program; once it
// is gone, nothing does. The title arrives in the ANSI code page.
TEST(WindowsServices, RunningCheckSeesAnotherProgramsWindow) {
  std::string title;
  ASSERT_FALSE(Running(title)) << title;
  wchar_t exe[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe, n);
  command = command.substr(0, command.find_last_of(L'\\') + 1) + L"palm-window.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  bool seen = false;
  for (int i = 0; i < 300 && !seen; ++i) {  // a first Wine start can be slow
    Sleep(100);
    seen = Running(title);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(seen);
  EXPECT_EQ(title, "Palm Desktop");
  title.clear();
  EXPECT_FALSE(Running(title)) << title;
}

// Without MIRRIN_CODEPAGE the data files are read in the ANSI code page;
// iconv's names for the others are understood.
TEST(WindowsServices, SystemCodePageIsTheAnsiCodePage) {
  if (std::getenv("MIRRIN_CODEPAGE")) GTEST_SKIP() << "MIRRIN_CODEPAGE is set";
  EXPECT_EQ(SystemCodePage().Name(), "CP" + std::to_string(GetACP()));
  EXPECT_EQ(CodePage("ISO-8859-7").ToUtf8("\xE1"), "\xCE\xB1");
  EXPECT_THROW(CodePage("CP99999"), RunError);
}

}  // namespace
}  // namespace mirrin
