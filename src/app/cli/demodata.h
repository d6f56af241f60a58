#pragma once
// A Palm Desktop directory to try the program on: users.dat with two users,
// the first with classic files and the second with extended ones, holding
// dates, contacts, to dos and memos that are identical, nearly identical or
// held by one side only, with categories, repeats, alarms, private records
// and notes; and a Mirrin.cfg that points at them.
#include <string>
#include <utility>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/palmtime.h"

namespace mirrin::cli {

struct DemoUser {
  std::string name;
  std::string folder;  // below the Palm directory
  bool extended = false;
};

// The two demo users: User1 classic, User2 extended.
const std::vector<DemoUser>& DemoUsers();

// Writes users.dat and both users' four data files below palmDir (created
// as needed) with the core's writers, and Mirrin.cfg into programDir.
// Appointments lie a few days to weeks after `today` (a local date), so the
// kind selection shows them. emptyUsers are listed in users.dat too, each
// with an empty folder of its name. RunError when a file cannot be written.
void WriteDemo(const std::string& palmDir, const std::string& programDir, double today,
               const TimeZoneInfo& tz, const std::vector<std::string>& emptyUsers = {});

}  // namespace mirrin::cli
