// mirrin_bench_users DIR [RECORDS]: the demo users with RECORDS dates each
// (30,000 unless given) in place of the demo's datebooks, for timing
// `mirrin-cli compare --config DIR/Mirrin.cfg --kind Dates` end to end.
// Half of each side's dates have a twin on the other side; the rest are near
// misses (the same slot, another text or length), so both lists are long.
#include <iostream>
#include <string>

#include "app/cli/demodata.h"
#include "benchdates.h"
#include "palmdata/datebookfile.h"
#include "palmdata/errors.h"
#include "sysplatform/systemservices.h"

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
      for (int i = 0; i < records; ++i) dates.push_back(BenchDate(i, side + 1, firstDay, 24));
      header.RecordCount = records;
      WriteDatebookFile(side + 1, path, header, dates, ctx);
    }
  } catch (const RunError& e) {
    std::cerr << "mirrin_bench_users: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
