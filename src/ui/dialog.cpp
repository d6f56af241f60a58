#include "ui/dialog.h"

#include <exception>

namespace mirrin {

void WriteIniFileSilently(Session& s, const std::function<void()>& writeIniFile) {
  try {
    writeIniFile();
  } catch (const std::exception& e) {
    try {
      s.WriteLog(std::string("WriteIniFile stopped: ") + e.what(), 0);
    } catch (const std::exception&) {
      // The log is unwritable too; the dialog still closes.
    }
  }
}

}  // namespace mirrin
