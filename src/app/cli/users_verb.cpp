// mirrin-cli users DIR: the users listed in a Palm directory's users.dat.
#include <optional>

#include "app/cli/cli.h"
#include "palmdata/users.h"
#include "sysplatform/codepage.h"

namespace mirrin::cli {

namespace {

// users.dat texts are code-page bytes from a file we did not write: shown as
// UTF-8, with control characters (C0, DEL, C1) as \xNN so that none of them
// reaches the terminal.
std::string Printable(const std::string& bytes) {
  const std::string utf8 = ToUtf8(bytes);
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const bool c1 = c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0;
    if (c >= 0x20 && c != 0x7F && !c1) {
      out.push_back(utf8[i]);
      continue;
    }
    const unsigned code = c1 ? static_cast<unsigned char>(utf8[++i]) : c;
    static const char kHex[] = "0123456789ABCDEF";
    out += std::string("\\x") + kHex[code >> 4] + kHex[code & 0xF];
  }
  return out;
}

}  // namespace

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
    out << Printable(user.UserName) << "\t" << Printable(user.UserFolder);
    const std::string why = UnsafeUserFolderReason(user.UserFolder);
    if (!why.empty()) out << "\t(not usable: " << why << ")";
    out << "\n";
  }
  return 0;
}

}  // namespace mirrin::cli
