// The Windows services and files under a real (or Wine's) Windows API,
// checked with that API alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "startup/runningcheck.h"
#include "support/fake_platform.h"
#include "support/filebuilder.h"
#include "sysplatform/codepage.h"
#include "sysplatform/systemtimezone.h"
#include "sysplatform/windowtitles.h"

namespace mirrin {
namespace {

double DayOf(const SYSTEMTIME& t) {
  return MakeDate(t.wYear, t.wMonth, t.wDay) + MakeTime(t.wHour, t.wMinute, t.wSecond);
}

// The zone record converts the system's UTC clock to its local one; without
// MIRRIN_CODEPAGE the data files are read in the ANSI code page.
TEST(WindowsServices, TimeZoneAndCodePageAreTheSystems) {
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  GetLocalTime(&local);
  EXPECT_LT(std::abs(UtcToLocal(DayOf(utc), WindowsTimeZone()) - DayOf(local)) * 86400, 5.0);
  if (!std::getenv("MIRRIN_CODEPAGE")) {
    EXPECT_EQ(SystemCodePage().Name(), "CP" + std::to_string(GetACP()));
  }
  EXPECT_EQ(CodePage("ISO-8859-7").ToUtf8("\xE1"), "\xCE\xB1");  // iconv's names work
  EXPECT_THROW(CodePage("CP99999"), RunError);
}

bool Running(std::string& title) {
  test::FakePlatform platform;
  platform.windowTitles = TopLevelWindowTitles();
  return IsPalmDesktopRunning(platform, title);
}

// Another program's window titled "Palm Desktop" is noticed, and once it is
// gone, nothing is.
TEST(WindowsServices, RunningCheckSeesAnotherProgramsWindow) {
  std::string title;
  ASSERT_FALSE(Running(title)) << title;
  wchar_t exe[MAX_PATH];
  std::wstring command(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
  command = command.substr(0, command.find_last_of(L'\\') + 1) + L"palm-window.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  bool seen = false;
  for (int i = 0; i < 300 && !seen; ++i) seen = (Sleep(100), Running(title));  // a first Wine start is slow
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(seen && title == "Palm Desktop") << title;
  EXPECT_FALSE(Running(title)) << title;
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string ReadWide(const std::wstring& path) {
  const HANDLE h =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  char data[64];
  DWORD got = 0;
  if (h == INVALID_HANDLE_VALUE || !ReadFile(h, data, sizeof data, &got, nullptr)) got = 0;
  CloseHandle(h);
  return std::string(data, got);
}

// A user folder named in the ANSI code page beyond ASCII ("\x80" is the euro
// sign there, not U+0080); no temporary file is left beside the file.
TEST(WidePaths, AFolderNamedBeyondAsciiIsWrittenReplacedAndCopied) {
  if (GetACP() != 1252) GTEST_SKIP() << "the names below are Windows-1252";
  test::TempDir dir;
  const std::wstring folder = Wide(dir.Path()) + L"\\M\u00FCller \u20AC";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::string file = dir.Path() + "\\M\xFCller \x80\\datebook.dat";
  WriteFileAtomic(file, "first");
  WriteFileAtomic(file, "second");
  CopyFileAtomic(file, dir.Path() + "\\M\xFCller \x80\\copy.dat");
  EXPECT_EQ(ReadWide(folder + L"\\copy.dat"), "second");
  WIN32_FIND_DATAW found;
  EXPECT_EQ(FindFirstFileW((folder + L"\\*.mirrin-*").c_str(), &found), INVALID_HANDLE_VALUE);
}

TEST(WidePaths, ReplacingKeepsAttributesAndRefusesReadOnlyFiles) {
  test::TempDir dir;
  const std::string file = dir.Path() + "\\todo.dat";
  WriteFileAtomic(file, "old");
  ASSERT_TRUE(SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_HIDDEN));
  WriteFileAtomic(file, "new");
  EXPECT_TRUE(GetFileAttributesW(Wide(file).c_str()) & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_READONLY));
  try {
    WriteFileAtomic(file, "lost");
    ADD_FAILURE() << "replaced";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::PermissionDenied);
  }
  EXPECT_EQ(ReadWide(Wide(file)), "new");
  SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace mirrin
