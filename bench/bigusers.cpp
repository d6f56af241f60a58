// mirrin_bench_users DIR [RECORDS]: the demo users with RECORDS dates each
// (30,000 unless given) in place of the demo's datebooks, for timing
// `mirrin-cli compare --config DIR/Mirrin.cfg --kind Dates` end to end.
// Half of each side's dates have a twin on the other side; the rest are near
// misses (the same slot, another text or length), so both lists are long.
#include <iostream>
#include <string>

#include "app/cli/demodata.h"
#include "palmdata/datebookfile.h"
#include "palmdata/errors.h"
#include "sysplatform/systemservices.h"

namespace mirrin {
namespace {

DateRecord BigDate(int i, int side, double firstDay) {
  DateRecord r;
  r.RecordId = 100000 + i;
  // 24 a day, so 30,000 end before 2031, after which the default settings hide dates.
  const double start = firstDay + i / 24 + MakeTime(8 + i % 12, (i % 4) * 15, 0);
  r.StartTime = PalmDate::Local(start);
  r.EndTime = PalmDate::Local(start + MakeTime(1, 0, 0));
  r.Description = "Appointment " + std::to_string(i) + " with the team";
  r.Duration = 60;
  r.Note =
      "Agenda: review item " + std::to_string(i) + ", then plans for the next quarter.\r\nBring the figures.";
  r.AlarmSet = i % 2 == 0;
  r.AlarmAdvance = 10;
  r.Category = i % 3;
  if (i % 5 == 0) {
    r.Repeat.Hash = 0xFFFF;
    r.Repeat.SchemaNo = 1;
    r.Repeat.ClassName = "CWeekly";
    r.Repeat.ClassNameLength = 7;
    r.Repeat.Brand = 2;
    r.Repeat.Interval = 1;
    r.Repeat.EndDate = PalmDate::Local(start + 365);
    r.Repeat.DaysMask = static_cast<uint8_t>(1u << (i % 7));
  }
  if (i % 2 == 1 && side == 1) {
    if (i % 4 == 1)
      r.Description += " (moved)";
    else
      r.Duration = 90;
  }
  return r;
}

}  // namespace
}  // namespace mirrin

int main(int argc, char** argv) {
  using namespace mirrin;
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: mirrin_bench_users DIR [RECORDS]\n";
    return 2;
  }
  const std::string dir = argv[1];
  const int records = argc == 3 ? std::stoi(argv[2]) : 30000;
  try {
    const SystemServices system;
    cli::WriteDemo(dir, dir, system.Now(), system.TimeZone());
    DataContext ctx;
    ctx.timeZone = system.TimeZone();
    // Tomorrow on, so no date falls before the window the settings show.
    const double firstDay = static_cast<double>(static_cast<int64_t>(system.Now())) + 1;
    for (int side = 0; side < 2; ++side) {
      const std::string path =
          dir + "/" + cli::DemoUsers()[static_cast<size_t>(side)].folder + "/datebook/datebook.dat";
      DatFileHeader header;
      std::vector<DateRecord> dates;
      ReadDatebookFile(side + 1, path, header, dates, ctx);
      dates.clear();
      for (int i = 0; i < records; ++i) dates.push_back(BigDate(i, side, firstDay));
      header.RecordCount = records;
      WriteDatebookFile(side + 1, path, header, dates, ctx);
    }
  } catch (const RunError& e) {
    std::cerr << "mirrin_bench_users: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
