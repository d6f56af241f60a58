// Arbitrary bytes as the configuration file: read into settings without a
// crash, and what is written from them reads back to the same text.
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "memfile.h"
#include "palmdata/errors.h"
#include "startup/config.h"

namespace {

// Settings from the file at path; false when a value does not convert.
bool Read(const std::string& path, mirrin::ConfigLines& lines, mirrin::Settings& settings,
          bool again = false) {
  mirrin::NullLog log;
  mirrin::fuzz::QuietPlatform platform;
  mirrin::ReadIniFile(lines, path, log, platform);
  try {
    mirrin::ReadSettings(lines, settings, "C:\\prog", log, platform);
  } catch (const mirrin::RunError& e) {
    if (again) std::fprintf(stderr, "the written configuration does not read: %s\n", e.what());
    return false;
  }
  return true;
}

std::set<std::string> LinesOf(const std::string& text) {
  std::set<std::string> lines;
  for (std::string_view line : mirrin::TextFileLines(text)) lines.emplace(line);
  return lines;
}

}  // namespace

// A rewrite turns every line of a key into its canonical line, and the next
// read blanks the copies: so the second rewrite may drop duplicate lines,
// but it must keep every line of the first, and then be settled.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static mirrin::fuzz::MemFile file;
  mirrin::ConfigLines lines;
  mirrin::Settings settings;
  if (!Read(file.Put({reinterpret_cast<const char*>(data), size}), lines, settings)) return 0;
  const std::string text = mirrin::ConfigFileText(lines, settings);
  mirrin::ConfigLines linesAgain;
  mirrin::Settings settingsAgain;
  if (!Read(file.Put(text), linesAgain, settingsAgain, true)) std::abort();
  const std::string second = mirrin::ConfigFileText(linesAgain, settingsAgain);
  if (LinesOf(second) != LinesOf(text)) {
    std::fprintf(stderr, "the written configuration reads back to other settings\n");
    std::abort();
  }
  mirrin::ConfigLines linesThird;
  mirrin::Settings settingsThird;
  if (!Read(file.Put(second), linesThird, settingsThird, true)) std::abort();
  if (mirrin::ConfigFileText(linesThird, settingsThird) != second) {
    std::fprintf(stderr, "the configuration does not settle after one rewrite\n");
    std::abort();
  }
  return 0;
}
