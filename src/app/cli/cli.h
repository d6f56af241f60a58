#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace mirrin::cli {

// Exit codes: 0 success, 1 a negative answer (files differ), 2 an error.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// For mirrin-cli's main, whose process ends after its one verb: compare then
// leaves the session it read to the system instead of freeing it record by
// record, a tenth of a large compare's time. In-process callers (the tests)
// free it as usual.
void LeaveSessionAtExit();

// Verbs; args are the verb's own arguments (without the verb).
// dump FILE [--kind KIND] [--json]: header and every field of every record,
// times in the program's zone. Texts are code-page bytes: the readable form
// shows bytes outside printable ASCII as \xNN; JSON decodes them with the
// code page in use (MIRRIN_CODEPAGE).
int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// roundtrip FILE [--kind KIND]: "identical" and 0 when building the file read
// gives the same bytes, else the first differing offset (and whether only
// the planned renumbering of extended rows differs) and 1.
int RunRoundtrip(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// users DIR: one line per user of DIR's users.dat, name TAB folder.
int RunUsers(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// compare --kind KIND [--config FILE] [--left DIR --right DIR] [--set K=V]... [--json] [--quiet]:
// both users' lists after the window's load, category filter file and kind
// selection; 0 when nothing is listed, 1 when differences are, 2 on error.
int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// export --kind KIND --format ics|vcf|csv USERDIR [--both OTHERDIR] [--include-private] [-o FILE]
// [--raw] [--bom]: records as iCalendar, vCard or CSV; reads the Palm files,
// never writes them, their recovery copies or anything in a user folder.
int RunExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// script --config DIR/Mirrin.cfg [SCRIPT]: runs the window's models from
// the commands in SCRIPT (or standard input), printing every message box;
// 0 when the script ran to its end, 2 on a script error.
int RunScript(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// demo DIR [--program DIR2] [--empty-user NAME]...: a Palm Desktop directory
// with two users and their files in DIR (and users without any file), and a
// Mirrin.cfg pointing at it in DIR2 (default DIR).
int RunDemo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace mirrin::cli
