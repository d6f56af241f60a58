#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/cli/cli.h"
#include "support/usersfile.h"

namespace mirrin {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result RunUsersVerb(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  std::vector<std::string> all{"users"};
  all.insert(all.end(), args.begin(), args.end());
  const int code = cli::Run(all, out, err);
  return {code, out.str(), err.str()};
}

TEST(UsersVerb, NamesAreShownAsUtf8WithoutTerminalControlsAndBadFoldersSaySo) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("users.dat"), test::UsersFile({{"\x1B[2J\xE9v\x81\x7F", "..\\x"}}));
  const Result r = RunUsersVerb({dir.Path()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "\\x1B[2J\xC3\xA9v\xEF\xBF\xBD\\x7F\t..\\x\t(not usable: it leads out of the Palm directory (\"..\"))\n");
}

TEST(UsersVerb, ErrorsNameTheFileOnOneLineWithExitCode2) {
  test::TempDir dir;
  const std::string path = dir.Path() + "/users.dat";

  Result r = RunUsersVerb({dir.Path()});  // no users.dat yet
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find(path), std::string::npos) << r.err;

  const std::string whole = test::UsersFile({{"Anna", "AnnaF"}, {"Bob", "BobDir"}});
  test::WriteFileBytes(path, whole.substr(0, whole.size() - 13));  // Bob's folder cut short
  r = RunUsersVerb({dir.Path()});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("user 2 folder"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

  r = RunUsersVerb({});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("usage"), std::string::npos);
}

}  // namespace
}  // namespace mirrin
