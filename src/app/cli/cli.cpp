#include "app/cli/cli.h"

namespace mirrin::cli {

namespace {
void Usage(std::ostream& err) {
  err << "usage: mirrin-cli <verb> [arguments]\n"
         "verbs:\n"
         "  dump FILE [--kind KIND] [--json]   show a data file's header and records\n"
         "  roundtrip FILE [--kind KIND]        build FILE again in memory and compare\n"
         "  users DIR                           list the users of a Palm directory\n"
         "  compare --kind KIND ...             both users' lists as the window shows them\n"
         "  export --kind KIND --format F DIR   records as iCalendar, vCard or CSV\n"
         "  demo DIR [--program DIR2] [--force] write demo users and a configuration\n"
         "  script --config CFG [SCRIPT]        drive the window's models from commands\n";
}
}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty() && args[0] == "dump") return RunDump({args.begin() + 1, args.end()}, out, err);
  if (!args.empty() && args[0] == "roundtrip") {
    return RunRoundtrip({args.begin() + 1, args.end()}, out, err);
  }
  if (!args.empty() && args[0] == "users") return RunUsers({args.begin() + 1, args.end()}, out, err);
  if (!args.empty() && args[0] == "compare") return RunCompare({args.begin() + 1, args.end()}, out, err);
  if (!args.empty() && args[0] == "export") return RunExport({args.begin() + 1, args.end()}, out, err);
  if (!args.empty() && args[0] == "script") return RunScript({args.begin() + 1, args.end()}, out, err);
  if (!args.empty() && args[0] == "demo") return RunDemo({args.begin() + 1, args.end()}, out, err);
  Usage(err);
  return args.empty() ? 2 : 2;
}

}  // namespace mirrin::cli
