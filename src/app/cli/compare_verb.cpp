// mirrin-cli compare: the two users' lists of one kind, as the main window
// would show them after the same load and kind selection.
#include <charconv>
#include <memory>

#include "app/cli/cli.h"
#include "app/cli/headless.h"
#include "app/cli/json.h"
#include "sysplatform/codepage.h"
#include "palmdata/fileio.h"
#include "mainwindow/differences.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/loaduser.h"
#include "mainwindow/rowtext.h"
#include "mainwindow/selectkind.h"
#include "save/save.h"
#include "startup/catfilter.h"

namespace mirrin::cli {

namespace {

constexpr const char* kUsage =
    "usage: mirrin-cli compare --kind KIND [--config Mirrin.cfg] [--left USERDIR --right USERDIR]\n"
    "                          [--set Key=Value]... [--json] [--quiet]\n"
    "  KIND: Dates, Contacts, \"To Dos\", Memos or the custom kind's name; it is\n"
    "  compared even where the configuration leaves it out.\n"
    "  Prints both lists as the window shows them, with the category filter file\n"
    "  beside the configuration (or in the current folder) applied: row, record\n"
    "  index, record ID, partner row (- for none) and row text, then per side the\n"
    "  records listed, in total, held and hidden by the filters.\n"
    "  Exit 0 when nothing is listed under these settings, 1 when differences are\n"
    "  listed, 2 on error. Progress goes to standard error once a second unless\n"
    "  --quiet.\n";

struct Row {
  int row = 0;
  int32_t index = 0;
  std::optional<int32_t> id;
  int pair = -1;
  std::vector<std::string> differs;  // the fields in which the partner differs
};

// A row's text as the operator sees it, in the code page. Converted to UTF-8
// as it is put out, not kept with the row: tens of thousands of copies were
// the largest block of memory the verb took.
std::string_view Shown(Session& s, Side side, const Row& r) { return ShownRowView(s.List(side).List(r.row)); }

std::optional<int32_t> RecordId(const UserStore& st, Kind kind, int32_t index) {
  const auto at = static_cast<size_t>(index);
  switch (kind) {
    case Kind::Dates:
      return st.dates.at(at).RecordId;
    case Kind::Contacts:
      return st.contacts.at(at).RecordId;
    case Kind::ToDos:
      return st.todos.at(at).RecordId;
    case Kind::Memos:
      return st.memos.at(at).RecordId;
    case Kind::Custom:
      break;
  }
  return std::nullopt;
}

std::vector<Row> Rows(Session& s, Side side, Kind kind) {
  std::vector<Row> rows;
  forms::ListBox& list = s.List(side);
  rows.reserve(static_cast<size_t>(list.ListCount()));
  for (int r = 0; r < list.ListCount(); ++r) {
    const int32_t index = list.ItemData(r);
    rows.push_back({r, index, RecordId(s.Store(side), kind, index), Partner(s, side, r), {}});
  }
  return rows;
}

// Only the JSON shows them, and they cost more than the lists: worked out
// once per pair (rows are paired both ways), from its left row.
void AddDiffers(Session& s, Kind kind, std::array<std::vector<Row>, 2>& rows) {
  for (Row& left : rows[kLeft]) {
    if (left.pair < 0) continue;
    Row& right = rows[kRight].at(static_cast<size_t>(left.pair));
    left.differs = DifferingFields(s, kind, left.index, right.index);
    right.differs = left.differs;
  }
}

// One row as compare --json gives it.
Json RowJson(const Row& r, std::string text) {
  Json row{{"row", r.row},
           {"text", std::move(text)},
           {"index", r.index},
           {"id", r.id ? Json(*r.id) : Json(nullptr)},
           {"pair", r.pair >= 0 ? Json(r.pair) : Json(nullptr)}};
  if (r.pair >= 0) row["differs"] = r.differs;
  return row;
}

// What each side holds of the kind, what counts "in total", what is listed
// and what the filters hid.
struct Totals {
  size_t held, inTotal, listed, hidden;
};

Totals TotalsOf(const Session& s, Side side, Kind kind, const std::vector<Row>& rows) {
  const UserStore& st = s.stores[side];
  return {st.Count(kind), static_cast<size_t>(st.total), rows.size(), static_cast<size_t>(st.filtered)};
}

void PrintJson(const std::array<std::vector<Row>, 2>& rows, Session& s, Kind kind, std::ostream& out) {
  Json doc{{"users", {{"left", ToUtf8(s.settings.PalmUser1)}, {"right", ToUtf8(s.settings.PalmUser2)}}}};
  for (Side side : kSides) {
    Json list = Json::array();
    for (const Row& r : rows[side]) list.push_back(RowJson(r, ToUtf8(Shown(s, side, r))));
    doc[side == kLeft ? "left" : "right"] = list;
  }
  for (Side side : kSides) {
    const Totals t = TotalsOf(s, side, kind, rows[side]);
    doc["totals"][side == kLeft ? "left" : "right"] =
        Json{{"listed", t.listed}, {"inTotal", t.inTotal}, {"held", t.held}, {"hiddenByFilters", t.hidden}};
  }
  out << JsonText(doc) << "\n";
}

// A tab, then the number, or "-" for none.
void AppendField(std::string& text, std::optional<int32_t> value) {
  text += '\t';
  if (!value) {
    text += '-';
    return;
  }
  char digits[16];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, *value).ptr);
}

void PrintText(const std::array<std::vector<Row>, 2>& rows, Session& s, Kind kind, std::ostream& out) {
  constexpr size_t kBlock = 64 * 1024;
  const std::array<std::string, 2> names{ToUtf8(s.settings.PalmUser1), ToUtf8(s.settings.PalmUser2)};
  out << "# side\trow\tindex\tid\tpair\ttext (L: User1 " << names[kLeft] << ", R: User2 " << names[kRight]
      << ")\n";
  for (Side side : kSides) {
    const Totals t = TotalsOf(s, side, kind, rows[side]);
    out << "# " << (side == kLeft ? "left" : "right") << " (User" << UserNumber(side) << " " << names[side]
        << "): " << s.controls.panes[side].recordCount.Caption() << "; holds " << t.held << ", filters hid "
        << t.hidden << "\n";
    // Tens of thousands of rows: written into a text put out a block at a
    // time, not field by field through the stream.
    std::string text;
    text.reserve(2 * kBlock);
    for (const Row& r : rows[side]) {
      text += side == kLeft ? 'L' : 'R';
      AppendField(text, r.row);
      AppendField(text, r.index);
      AppendField(text, r.id);
      AppendField(text, r.pair >= 0 ? std::optional<int32_t>(r.pair) : std::nullopt);
      text += '\t';
      AppendUtf8(text, Shown(s, side, r));
      text += '\n';
      if (text.size() >= kBlock) {
        out << text;
        text.clear();
      }
    }
    out << text;
  }
}

bool leaveSessionAtExit = false;
Session* sessionLeft = nullptr;  // still reachable at the end, so no leak checker counts it

}  // namespace

void LeaveSessionAtExit() { leaveSessionAtExit = true; }

int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SessionOptions options;
  std::array<std::string, 2> dirs;
  bool json = false;
  bool failed = false;
  for (size_t i = 0; i < args.size() && !failed; ++i) {
    if (args[i] == "--help") {
      out << kUsage;
      return 0;
    }
    if (TakeSessionOption(args, i, options, failed, err)) continue;
    if (args[i] == "--json") {
      json = true;
    } else if ((args[i] == "--left" || args[i] == "--right") && i + 1 < args.size()) {
      dirs[args[i] == "--left" ? kLeft : kRight] = args[i + 1];
      ++i;
    } else {
      err << "mirrin-cli: compare: unexpected argument " << args[i] << "\n";
      failed = true;
    }
  }
  if (failed || options.kind.empty()) {
    err << kUsage;
    return 2;
  }

  HeadlessPlatform platform(err, ProgramDirFor(options));
  auto session = std::make_unique<Session>(platform);
  Session& s = *session;
  const std::optional<Kind> kind = SettingsAndKind(s, options, "compare", err);
  if (!kind) return 2;
  std::array<std::string*, 2> userDirs{&s.settings.UserDir1, &s.settings.UserDir2};
  std::array<std::string*, 2> userNames{&s.settings.PalmUser1, &s.settings.PalmUser2};
  for (Side side : kSides) {
    if (!dirs[side].empty()) *userDirs[side] = dirs[side];
    if (userDirs[side]->empty() || !DirectoryExists(*userDirs[side])) {
      err << "mirrin-cli: compare: no user folder for User" << UserNumber(side) << " ("
          << (side == kLeft ? "--left or UserDir1" : "--right or UserDir2") << "): " << *userDirs[side]
          << "\n";
      return 2;
    }
    // The user fields name the users; loading takes the folders from the settings.
    if (!dirs[side].empty() || userNames[side]->empty()) *userNames[side] = UserNameOf(*userDirs[side]);
    s.controls.panes[side].userName.SetText(*userNames[side]);
  }

  if (SamePlace(*userDirs[kLeft], *userDirs[kRight])) {
    err << "mirrin-cli: compare: both users have the same user folder: " << *userDirs[kLeft] << "\n";
    return 2;
  }

  ProgressLine progress(err, options.quiet);
  platform.onEvents = [&] {
    progress.Show([&] {
      std::string text = s.controls.busyNotice.Caption();
      while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.erase(0, 1);
      if (s.controls.progress.Visible()) {
        const size_t width = s.settings.GUI == "2" ? 89 : 74;
        // Piece by piece: " " + string trips a false -Wrestrict in GCC 12 at -O3.
        text += ' ';
        text += std::to_string(100 * s.controls.progress.Text().size() / width);
        text += '%';
      }
      return text;
    });
  };
  try {
    // compare writes nothing, not even the datebook's safety copy.
    LoadUserHooks hooks;
    hooks.makeSafetyCopy = false;
    for (Side side : kSides) LoadUser(s, side, hooks);
  } catch (const ProgramEnd&) {
    return 2;
  }
  // As start-up does once both users are loaded.
  ReadCatExcludeFile(CategoryFilterFilePath(s.programDir), CategoryFilterUsers(s), s.settings.Custom1,
                     s.filters, s.log, s.platform);
  s.controls.kindSelector.Clear();
  AddKindRows(s.controls.kindSelector, IncludedKinds(s.settings), s.settings.Custom1);
  s.controls.kindSelector.SetText(s.KindText(*kind));
  SelectKind(s);
  if (platform.errorsShown > 0) return 2;

  std::array<std::vector<Row>, 2> rows{Rows(s, kLeft, *kind), Rows(s, kRight, *kind)};
  if (json) {
    AddDiffers(s, *kind, rows);
    PrintJson(rows, s, *kind, out);
  } else {
    PrintText(rows, s, *kind, out);
  }
  if (leaveSessionAtExit) sessionLeft = session.release();
  return rows[kLeft].empty() && rows[kRight].empty() ? 0 : 1;
}

}  // namespace mirrin::cli
