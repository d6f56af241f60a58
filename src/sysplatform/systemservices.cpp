#include "sysplatform/systemservices.h"

#include <chrono>

#include "sysplatform/systemtimezone.h"
#include "sysplatform/programdir.h"
#include "sysplatform/windowtitles.h"

namespace mirrin {

SystemServices::SystemServices() : timeZone_(SystemTimeZone()), programDir_(mirrin::ProgramDirectory()) {}

std::vector<std::string> SystemServices::TopLevelWindowTitles() const {
  return mirrin::TopLevelWindowTitles();
}

double SystemServices::Now() const {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  const double seconds = static_cast<double>(ms) / 1000.0;
  return UtcToLocal(kUnixEpochDay + seconds / 86400.0, timeZone_);
}

}  // namespace mirrin
