#include "sysplatform/programdir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "sysplatform/scopedenv.h"

namespace mirrin {
namespace {

TEST(ProgramDirectory, IsTheExecutablesFolderUnlessMirrinHomeIsSet) {
  {
    test::ScopedEnv home("MIRRIN_HOME", nullptr);
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(ProgramDirectory(), exe.parent_path().string());
  }
  {
    test::ScopedEnv home("MIRRIN_HOME", "/tmp/demo/");
    EXPECT_EQ(ProgramDirectory(), "/tmp/demo");
  }
  {
    test::ScopedEnv home("MIRRIN_HOME", "");  // set but empty counts as not set
    EXPECT_NE(ProgramDirectory(), "");
  }
}

}  // namespace
}  // namespace mirrin
