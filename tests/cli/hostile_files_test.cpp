// A data file that is there but is no readable regular file is an error
// naming the file and the reason: never "missing" (an empty calendar), never
// a hang or a runaway read. Run as user nobody, since root reads through
// mode 000.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "support/filebuilder.h"

namespace mirrin {
namespace {

TEST(HostileFiles, ExportSaysWhyTheDatebookCannotBeRead) {
  const std::string asNobody = ::geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups " : "";
  if (!asNobody.empty() && std::system("setpriv --reuid=nobody --regid=nogroup --clear-groups true") != 0) {
    GTEST_SKIP() << "cannot run as nobody";
  }
  test::TempDir dir;
  std::filesystem::permissions(dir.Path(), std::filesystem::perms(0755));
  const struct {
    const char* name;
    std::function<void(const std::string& datebook)> make;
    const char* reason;
  } cases[] = {
      {"folder", [](const std::string& f) { std::filesystem::create_directory(f); }, "it is a folder"},
      {"fifo", [](const std::string& f) { ::mkfifo(f.c_str(), 0644); }, "not a regular file"},
      {"device", [](const std::string& f) { std::filesystem::create_symlink("/dev/zero", f); }, "not a regular file"},
      {"loop", [](const std::string& f) { std::filesystem::create_symlink(f, f); }, "levels of symbolic links"},
      {"closed", [](const std::string& f) { ::chmod(std::filesystem::path(f).parent_path().c_str(), 0); },
       "Permission denied"},
  };
  for (const auto& c : cases) {
    const std::string user = dir.File(c.name);
    std::filesystem::create_directories(user + "/datebook");
    c.make(user + "/datebook/datebook.dat");
    FILE* run = ::popen((asNobody + "timeout 20 " MIRRIN_CLI_PATH " export --kind Dates --format ics " + user +
                         " 2>&1").c_str(), "r");
    std::string out(4096, '\0');
    out.resize(std::fread(out.data(), 1, out.size(), run));
    EXPECT_EQ(WEXITSTATUS(::pclose(run)), 2) << c.name << ": " << out;
    EXPECT_NE(out.find(user + "\\datebook\\datebook.dat: "), std::string::npos) << c.name << ": " << out;
    EXPECT_NE(out.find(c.reason), std::string::npos) << c.name << ": " << out;
  }
  ::chmod(dir.File("closed/datebook").c_str(), 0755);
}

}  // namespace
}  // namespace mirrin
