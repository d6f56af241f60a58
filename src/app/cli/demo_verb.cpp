#include <filesystem>

#include "app/cli/cli.h"
#include "app/cli/demodata.h"
#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "startup/config.h"
#include "sysplatform/systemservices.h"
#include "palmdata/pathtext.h"

namespace mirrin::cli {

namespace {
constexpr const char* kUsage =
    "usage: mirrin-cli demo DIR [--program DIR] [--force] [--empty-user NAME]...\n";

// The configuration names the folders by absolute path, so the program
// finds them whatever its working folder.
std::string Absolute(const std::string& dir) {
  return PathText(std::filesystem::absolute(FsPath(dir)).lexically_normal());
}

// What the demo would overwrite in palmDir: a users.dat or a user's folder.
std::string Occupied(const std::string& palmDir) {
  if (!FileMissing(palmDir + "/users.dat")) return "users.dat";
  for (const DemoUser& user : DemoUsers()) {
    if (!FileMissing(palmDir + "/" + user.folder)) return user.folder;
  }
  return {};
}

}  // namespace

int RunDemo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string palmDir, programDir;
  bool force = false;
  std::vector<std::string> emptyUsers;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--force") {
      force = true;
    } else if (args[i] == "--program" && i + 1 < args.size()) {
      programDir = args[++i];
    } else if (args[i] == "--empty-user" && i + 1 < args.size()) {
      emptyUsers.push_back(args[++i]);
    } else if (palmDir.empty() && !args[i].empty() && args[i][0] != '-') {
      palmDir = args[i];
    } else {
      err << kUsage;
      return 2;
    }
  }
  if (palmDir.empty()) {
    err << kUsage;
    return 2;
  }
  palmDir = Absolute(palmDir);
  // Without a trailing separator, so the user folders are found below it.
  while (palmDir.size() > 1 && palmDir.back() == '/') palmDir.pop_back();
  programDir = programDir.empty() ? palmDir : Absolute(programDir);
  while (programDir.size() > 1 && programDir.back() == '/') programDir.pop_back();
  if (const std::string taken = Occupied(palmDir); !force && !taken.empty()) {
    err << "mirrin-cli: demo: " << palmDir << " already holds " << taken
        << "; give --force to overwrite it\n";
    return 2;
  }
  try {
    const SystemServices system;
    WriteDemo(palmDir, programDir, system.Now(), system.TimeZone(), emptyUsers);
  } catch (const RunError& e) {
    err << "mirrin-cli: demo: " << e.what() << "\n";
    return 2;
  }
  const std::vector<DemoUser>& users = DemoUsers();
  out << "Palm Desktop directory " << palmDir << ": users " << users[0].name << " (classic files) and "
      << users[1].name << " (extended files)\n"
      << "configuration " << NativePath(ConfigFilePath(programDir)) << "\n";
  return 0;
}

}  // namespace mirrin::cli
