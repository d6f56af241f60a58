#include "sysplatform/programdir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/as_nobody.h"
#include "support/filebuilder.h"
#include "support/scopedenv.h"

namespace mirrin {
namespace {

#ifndef _WIN32
TEST(ProgramDirectory, IsTheExecutablesFolderUnlessMirrinHomeIsSet) {
  const std::string exeFolder = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
  for (const char* unset : {static_cast<const char*>(nullptr), ""}) {  // set but empty counts as not set
    test::ScopedEnv home("MIRRIN_HOME", unset);
    EXPECT_EQ(ProgramDirectory(), exeFolder);
  }
  test::ScopedEnv home("MIRRIN_HOME", "/tmp/demo/");
  EXPECT_EQ(ProgramDirectory(), "/tmp/demo");
}
#endif

#ifndef _WIN32
// An installed program's folder the user cannot write: the settings go to
// the user's configuration folder, made when missing.
TEST(ProgramDirectory, AFolderThatCannotBeWrittenGivesWayToTheUsersConfigFolder) {
  test::TempDir installed, home;
  std::filesystem::permissions(installed.Path(), std::filesystem::perms(0755));
  test::OpenToAll(home.Path());
  EXPECT_TRUE(test::AsNobody([&] {
    test::ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    test::ScopedEnv user("HOME", home.Path().c_str());
    EXPECT_EQ(SettingsFolderFor(installed.Path()), home.Path() + "/.config/mirrin");
    EXPECT_TRUE(std::filesystem::is_directory(home.Path() + "/.config/mirrin"));
    test::ScopedEnv set("XDG_CONFIG_HOME", (home.Path() + "/cfg").c_str());
    EXPECT_EQ(SettingsFolderFor(installed.Path()), home.Path() + "/cfg/mirrin");
    EXPECT_EQ(SettingsFolderFor(home.Path()), home.Path()) << "a folder it can write stays";
  }));
}
#endif

}  // namespace
}  // namespace mirrin
