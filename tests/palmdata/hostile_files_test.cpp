// Paths that are there but are no readable regular file: each is an error
// that names the file and the reason, never "missing", never a hang, never
// a runaway allocation. Checked as an unprivileged user, since root reads
// through mode 000.
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "palmdata/datebookfile.h"
#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/memofile.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

// Runs `check` in a child process as user nobody (when we are root) and
// returns what it reports; "skip: ..." when no such user can be taken on.
std::string AsNobody(const std::function<std::string()>& check) {
  int out[2];
  if (::pipe(out) != 0) return "skip: no pipe";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(out[0]);
    std::string report;
    if (::geteuid() == 0) {
      const passwd* nobody = ::getpwnam("nobody");
      if (!nobody || ::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
          ::setuid(nobody->pw_uid) != 0) {
        report = "skip: cannot become nobody";
      }
    }
    if (report.empty()) report = check();
    (void)!::write(out[1], report.data(), report.size());
    ::_exit(0);
  }
  ::close(out[1]);
  std::string report;
  char buf[512];
  for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;) report.append(buf, static_cast<size_t>(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return report;
}

TEST(HostileFiles, WhatCannotBeReadIsAnErrorNamingTheFile) {
  test::TempDir dir;
  std::filesystem::permissions(dir.Path(), std::filesystem::perms(0755));
  const std::string root = dir.Path();
  struct Case {
    const char* name;
    std::string path;
    const char* reason;
  };
  std::filesystem::create_directories(root + "/folder/datebook.dat");
  ::mkfifo((root + "/fifo.dat").c_str(), 0644);
  ::symlink("loop-b", (root + "/loop-a").c_str());
  ::symlink("loop-a", (root + "/loop-b").c_str());
  std::filesystem::create_directories(root + "/closed");
  test::WriteFileBytes(root + "/closed/datebook.dat", "x");
  ::chmod((root + "/closed").c_str(), 0);
  const Case cases[] = {
      {"folder", root + "/folder/datebook.dat", "it is a folder"},
      {"fifo", root + "/fifo.dat", "not a regular file"},
      {"device", "/dev/zero", "not a regular file"},
      {"symlink loop", root + "/loop-a", "symbolic links"},
      {"folder without permission", root + "/closed/datebook.dat", "Permission denied"},
  };
  const std::string report = AsNobody([&] {
    std::string failures;
    for (const Case& c : cases) {
      if (FileMissing(c.path)) failures += std::string(c.name) + ": taken as missing\n";
      DataContext ctx;
      DatFileHeader header;
      std::vector<DateRecord> dates;
      std::vector<MemoRecord> memos;
      for (int reader = 0; reader < 2; ++reader) {
        try {
          if (reader == 0) ReadDatebookFile(1, c.path, header, dates, ctx);
          if (reader == 1) ReadMemoFile(1, c.path, header, memos, ctx);
          failures += std::string(c.name) + ": read without an error\n";
        } catch (const RunError& e) {
          const std::string text = e.what();
          if (text.find(c.path) == std::string::npos || text.find(c.reason) == std::string::npos) {
            failures += std::string(c.name) + ": " + text + "\n";
          }
        }
      }
    }
    return failures;
  });
  ::chmod((root + "/closed").c_str(), 0755);
  if (report.rfind("skip:", 0) == 0) GTEST_SKIP() << report;
  EXPECT_EQ(report, "");
}

TEST(HostileFiles, OnlyAMissingFileIsMissingAndSizesAreBounded) {
  test::TempDir dir;
  const std::string path = dir.File("memopad.dat");
  EXPECT_TRUE(FileMissing(path));
  DataContext ctx;
  DatFileHeader header;
  header.RecordCount = 7;
  std::vector<MemoRecord> memos(7);
  ReadMemoFile(1, path, header, memos, ctx);
  EXPECT_EQ(memos.size(), 7u) << "a missing file changes nothing";

  test::WriteFileBytes(path, std::string(100, 'x'));
  EXPECT_EQ(ReadWholeFile(path, 100).size(), 100u);
  try {
    ReadWholeFile(path, 99);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_NE(std::string(e.what()).find("more than the 99 allowed"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace mirrin
