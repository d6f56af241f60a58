#include "palmdata/recordfile.h"

namespace mirrin {

std::string TempFilePath(const DataContext& ctx, const std::string& stem, int user) {
  return ctx.programDir + "\\" + stem + std::to_string(user == 1 ? 1 : 2) + ".tmp";
}

void ReplaceDataFile(const DataContext& ctx, const std::string& tempPath, const std::string& path,
                     const Bytes& content) {
  // The temporary copy is kept in the program folder as before; the data
  // file itself is replaced by an atomic rename beside it.
  if (!ctx.programDir.empty()) WriteFileAtomic(tempPath, content);
  WriteFileAtomic(path, content);
}

void RethrowAt(const RunError& e, const std::string& where) { throw e.At(where); }

}  // namespace mirrin
