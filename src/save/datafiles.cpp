#include "save/datafiles.h"

#include "mainwindow/loaduser.h"

namespace mirrin {

KindFiles FilesOf(const Settings& settings, const std::string& dir, Kind kind) {
  const std::string data = KindFilePath(settings, dir, kind);
  if (kind == Kind::Custom) return {data, {}, {}};
  // The copies sit beside the data file, named after it.
  const size_t name = data.rfind('\\') + 1;
  const std::string folder = data.substr(0, name);
  return {data, folder + "Mirrin_backup_" + data.substr(name),
          folder + "Mirrin_preRestore_" + data.substr(name)};
}

}  // namespace mirrin
