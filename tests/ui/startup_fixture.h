#pragma once
// A program folder and a Palm Desktop folder on disk with two users, Anna
// and Bob, each with a datebook, and the whole application on a
// FakePlatform started over them.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "palmdata/palmtime.h"
#include "startup/config.h"
#include "support/fake_platform.h"
#include "support/filebuilder.h"
#include "support/usersfile.h"
#include "support/userfolder.h"
#include "ui/app.h"

namespace mirrin::test {

class StartupFixture {
 public:
  StartupFixture() {
    platform.programDir = prog.Path();
    // Before the datebooks' dates, so none is ignored as past.
    platform.SetNow(MakeDate(2023, 12, 1) + MakeTime(12, 0, 0));
    WriteFileBytes(palm.File("users.dat"), UsersFile({{"Anna", "AnnaF"}, {"Bob", "BobF"}}));
    WriteUserFolder(AnnaDir(), {.dates = 3});
    WriteUserFolder(BobDir(), {.dates = 2});
  }

  std::string AnnaDir() const { return palm.File("AnnaF"); }
  std::string BobDir() const { return palm.File("BobF"); }
  std::string ConfigPath() const { return prog.File("Mirrin.cfg"); }

  // A configuration naming both users, with extra lines appended.
  void WriteConfig(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> lines{"PalmDir1=" + palm.Path(), "UserDir1=" + AnnaDir(), "PalmUser1=Anna",
                                   "PalmDir2=" + palm.Path(), "UserDir2=" + BobDir(),  "PalmUser2=Bob"};
    lines.insert(lines.end(), extra.begin(), extra.end());
    std::string text = "# test configuration\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    WriteFileBytes(ConfigPath(), text);
  }

  MirrinApp& App() {
    if (!app) app = std::make_unique<MirrinApp>(platform);
    return *app;
  }
  Session& s() { return App().session; }
  void Start(const std::vector<std::string>& args = {}) { App().Start(args); }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const ShownBox& b : platform.boxes) texts.push_back(b.text);
    return texts;
  }

  TempDir prog;
  TempDir palm;
  FakePlatform platform;
  std::unique_ptr<MirrinApp> app;
};

}  // namespace mirrin::test
