// mirrin-cli users DIR: the users listed in a Palm directory's users.dat.
#include <optional>

#include "app/cli/cli.h"
#include "palmdata/users.h"

namespace mirrin::cli {

int RunUsers(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: mirrin-cli users DIR\n";
    return 2;
  }
  std::string dir = args[0];
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  const std::string path = dir + "/users.dat";

  UserList list;
  std::optional<RunError> failure;
  const bool opened = ReadUserFile(path, list, [&](const std::string&, const RunError& e) {
    if (!failure) failure = e;
  });
  if (failure) {
    err << "mirrin-cli: " << path << ": " << failure->what() << "\n";
    return 2;
  }
  if (!opened) {
    err << "mirrin-cli: " << path << ": no such file or not readable\n";
    return 2;
  }
  for (int32_t i = 0; i < list.UserCount; ++i) {
    const UserEntry& user = list.Users[static_cast<size_t>(i)];
    out << user.UserName << "\t" << user.UserFolder << "\n";
  }
  return 0;
}

}  // namespace mirrin::cli
