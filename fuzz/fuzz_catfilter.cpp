// Arbitrary bytes as the category filter file: the hidden categories it gives
// are written and read back to the same flags and the same text.
#include <cstdlib>

#include "memfile.h"
#include "startup/catfilter.h"

namespace {

struct Tables {
  std::array<std::array<mirrin::KindHeader, mirrin::kFilterKindCount>, 2> kinds;
  std::array<mirrin::FilterUser, 2> users;

  Tables() {
    const char* names[] = {"Anna", "Bob"};
    for (size_t u = 0; u < 2; ++u) {
      users[u].name = names[u];
      for (int k = 0; k < mirrin::kFilterKindCount; ++k) {
        auto& table = kinds[u][static_cast<size_t>(k)];
        for (const char* name : {"Business", "Personal", "Golf club"}) {
          table.Categories.emplace_back().LongName = name;
        }
        // Bob has no custom kind loaded.
        if (!(u == 1 && k == mirrin::kFilterKindCount - 1)) users[u].tables[static_cast<size_t>(k)] = &table;
      }
    }
  }
  std::string Shown() const {
    std::string flags;
    for (const auto& user : kinds) {
      for (const auto& table : user) {
        for (size_t t = 0; t < table.Categories.size(); ++t) flags.push_back(table.Shown(t) ? '1' : '0');
      }
    }
    return flags;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static mirrin::fuzz::MemFile file;
  mirrin::NullLog log;
  mirrin::fuzz::QuietPlatform platform;
  Tables first;
  mirrin::CategoryFilters filters;
  mirrin::ReadCatExcludeFile(file.Put({reinterpret_cast<const char*>(data), size}), first.users, "SplashID",
                             filters, log, platform);
  const std::string text = mirrin::CatExcludeFileText(first.users, "SplashID", filters);
  Tables second;
  mirrin::CategoryFilters again;
  mirrin::ReadCatExcludeFile(file.Put(text), second.users, "SplashID", again, log, platform);
  if (second.Shown() != first.Shown()) std::abort();
  if (mirrin::CatExcludeFileText(second.users, "SplashID", again) != text) std::abort();
  return 0;
}
