#pragma once
// The error report box, and the trap that routines put around their bodies:
// a run-time error is reported under the routine's name and the caller
// carries on.
#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace mirrin {

// "<routine> has caused an error. <number> <description>", the detail (which
// file, and the system's reason) on its own line when there is one, two
// line ends and the request to report it; critical icon, OK; title
// "Mirrin Error 3.0.26".
void ReportError(Platform& platform, int number, std::string_view description, std::string_view routine,
                 std::string_view detail = {});

std::string ErrorReportText(int number, std::string_view description, std::string_view routine,
                            std::string_view detail = {});
std::string ErrorReportTitle();

// Runs body; a RunError (or other standard exception) raised in it is
// reported under routine's name and swallowed. Returns false when an error
// was reported. ProgramEnd passes through.
bool TrapErrors(Platform& platform, std::string_view routine, const std::function<void()>& body);

}  // namespace mirrin
