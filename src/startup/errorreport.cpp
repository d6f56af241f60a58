#include "startup/errorreport.h"

#include <new>

#include "palmdata/errors.h"
#include "startup/version.h"

namespace mirrin {

std::string ErrorReportText(int number, std::string_view description, std::string_view routine,
                            std::string_view detail) {
  std::string text = std::string(routine) + " has caused an error. " + std::to_string(number) + " " +
                     std::string(description);
  if (!detail.empty()) text += "\r\n" + std::string(detail);
  return text + "\r\n\r\nPlease report the whole error message above to " + kSupportContact;
}

std::string ErrorReportTitle() { return std::string(kProgramName) + " Error " + VersionText(); }

void ReportError(Platform& platform, int number, std::string_view description, std::string_view routine,
                 std::string_view detail) {
  platform.MsgBox(ErrorReportText(number, description, routine, detail), mb::Critical | mb::OKOnly,
                  ErrorReportTitle());
}

bool TrapErrors(Platform& platform, std::string_view routine, const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const RunError& e) {
    ReportError(platform, e.number(), e.description(), routine, e.detail());
  } catch (const std::bad_alloc&) {
    ReportError(platform, 7, "Out of memory", routine);
  } catch (const std::exception& e) {
    // Not one of ours: report it as the classic runtime reports errors it
    // has no number for, with the library's text so it can be traced.
    ReportError(platform, 51, std::string("Internal error: ") + e.what(), routine);
  }
  return false;
}

}  // namespace mirrin
