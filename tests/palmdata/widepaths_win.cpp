// Files reached through the wide-character API, checked with that API alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string ReadWide(const std::wstring& path) {
  const HANDLE h =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::string data(64, '\0');
  DWORD got = 0;
  if (h == INVALID_HANDLE_VALUE || !ReadFile(h, data.data(), 64, &got, nullptr)) got = 0;
  CloseHandle(h);
  return data.substr(0, got);
}

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RunError& e) {
    return e.number();
  }
  return 0;
}

// A user folder named in the ANSI code page outside ASCII; no temporary
// file is left beside what was written.
TEST(WidePaths, AFolderNamedOutsideAsciiIsWrittenReplacedAndCopied) {
  if (GetACP() != 1252) GTEST_SKIP() << "the names below are Windows-1252";
  test::TempDir dir;
  const std::wstring folder = Wide(dir.Path()) + L"\\M\u00FCller \u20AC";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::string file = dir.Path() + "\\M\xFCller \x80\\datebook.dat";
  EXPECT_TRUE(FileMissing(file));
  WriteFileAtomic(file, "first");
  WriteFileAtomic(file, "second");
  CopyFileAtomic(file, dir.Path() + "\\M\xFCller \x80\\copy.dat");
  EXPECT_EQ(ReadWide(folder + L"\\copy.dat"), "second");
  WIN32_FIND_DATAW found;
  const HANDLE h = FindFirstFileW((folder + L"\\*.mirrin-*").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "left behind: " << std::string(found.cFileName, found.cFileName + 8);
  FindClose(h);
}

TEST(WidePaths, ReplacingKeepsAttributesAndRefusesReadOnlyFilesAndFolders) {
  test::TempDir dir;
  const std::string file = dir.Path() + "\\todo.dat";
  WriteFileAtomic(file, "old");
  ASSERT_TRUE(SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_HIDDEN));
  WriteFileAtomic(file, "new");
  EXPECT_TRUE(GetFileAttributesW(Wide(file).c_str()) & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ErrorOf([&] { WriteFileAtomic(file, "lost"); }), err::PermissionDenied);
  EXPECT_EQ(ReadWide(Wide(file)), "new");
  SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(dir.Path() + "\\no folder\\none.dat"); }), err::FileNotFound);
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(dir.Path()); }), err::PathFileAccess);
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(file, 2); }), err::PathFileAccess);
}

}  // namespace
}  // namespace mirrin
