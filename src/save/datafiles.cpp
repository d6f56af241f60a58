#include "save/datafiles.h"

namespace mirrin {

namespace {

KindFiles PalmFiles(const std::string& dir, const std::string& folder, const std::string& name) {
  const std::string base = dir + "\\" + folder + "\\";
  return {base + name + ".dat", base + "Mirrin_backup_" + name + ".dat",
          base + "Mirrin_preRestore_" + name + ".dat"};
}

}  // namespace

KindFiles FilesOf(const Settings& settings, const std::string& dir, Kind kind) {
  switch (kind) {
    case Kind::Dates: return PalmFiles(dir, "datebook", "datebook");
    case Kind::Contacts: return PalmFiles(dir, "address", "address");
    case Kind::ToDos: return PalmFiles(dir, "todo", "todo");
    case Kind::Memos: return PalmFiles(dir, "memopad", "memopad");
    case Kind::Custom: break;
  }
  // Custom1File begins with its own backslash.
  return {dir + settings.Custom1File, {}, {}};
}

}  // namespace mirrin
