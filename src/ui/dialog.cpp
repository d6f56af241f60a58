#include "ui/dialog.h"

#include "palmdata/fileio.h"
#include "startup/config.h"
#include "startup/version.h"

namespace mirrin {

void RewriteConfigFile(Session& s) {
  const std::string path = ConfigFilePath(s.programDir);
  std::string reason = "it could not be read when " + std::string(kProductName) + " started";
  if (s.configUnreadable) {
    ConfigFileText(s.configLines, s.settings);
  } else {
    try {
      WriteConfigFile(s.configLines, s.settings, path);
      return;
    } catch (const RunError& e) {
      reason = e.detail().empty() ? e.what() : e.detail();
    }
  }
  s.platform.MsgBox("The settings could not be saved to " + NativePath(path) + "\r" + reason +
                        "\r\rThey apply until " + kProductName + " is closed.",
                    mb::OKOnly | mb::Exclamation, kProductName);
}

}  // namespace mirrin
