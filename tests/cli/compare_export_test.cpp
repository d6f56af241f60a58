#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/cli/cli.h"
#include "palmdata/datebookfile.h"
#include "records/listdisplay.h"
#include "records/selectkind.h"
#include "support/filebuilder.h"
#include "support/session_fixture.h"
#include "ui/startup_fixture.h"

namespace mirrin {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = cli::Run(args, out, err);
  return {code, out.str(), err.str()};
}

// The lines compare prints, made from a window model's Dates lists.
std::string ListLines(Session& s, const std::array<std::string, 2>& names) {
  std::string lines = "# side\trow\tindex\tid\tpair\ttext (L: User1 " + names[0] + ", R: User2 " + names[1] + ")\n";
  for (Side side : kSides) {
    lines += std::string("# ") + (side == kLeft ? "left" : "right") + " (User" + std::to_string(UserNumber(side)) +
             " " + names[side] + "): " + s.form.NumRec(side).Caption() + "; holds " +
             std::to_string(s.Store(side).dates.size()) + ", filters hid " + std::to_string(s.Store(side).filtered) +
             "\n";
    for (int row = 0; row < s.List(side).ListCount(); ++row) {
      const int32_t index = s.List(side).ItemData(row);
      const int32_t id = s.Store(side).dates[static_cast<size_t>(index)].RecordId;
      const std::string tail = std::string(100, ' ') + std::to_string(id);
      std::string text = s.List(side).List(row);
      EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
      text.resize(text.size() - tail.size());
      const int pair = Partner(s, side, row);
      lines += std::string(side == kLeft ? "L" : "R") + "\t" + std::to_string(row) + "\t" + std::to_string(index) +
               "\t" + std::to_string(id) + "\t" + (pair < 0 ? "-" : std::to_string(pair)) + "\t" + text + "\n";
    }
  }
  return lines;
}

DateRecord Date(int32_t id, const std::string& description, double start) {
  DateRecord r;
  r.RecordId = id;
  r.Description = description;
  r.StartTime = PalmDate::Local(start);
  r.EndTime = PalmDate::Local(start + 1.0 / 24);
  return r;
}

// Two users' folders with a datebook each, on UTC so that the verbs read
// the same local times as the window model's fake platform. The dates lie
// in 2030, after any clock the run may see and before the hiding date.
class CompareExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    const double june10 = MakeDate(2030, 6, 10) + MakeTime(12, 0, 0);
    Write("a", {Date(11, "Lunch", june10), Date(12, "Dentist", june10 + 1), Date(13, "Gym", june10 + 2)});
    Write("b", {Date(21, "Lunch", june10), Date(22, "Dentist", june10 + 1.1), Date(23, "Swim \xE9t\xE9", june10 + 4)});
  }
  std::string User(const std::string& name) { return dir.Path() + "/" + name; }
  std::string Datebook(const std::string& name) { return User(name) + "/datebook/datebook.dat"; }
  void Write(const std::string& name, std::vector<DateRecord> records) {
    std::filesystem::create_directories(User(name) + "/datebook");
    DatFileHeader header;
    SetDefaultDatebookHeader(header, Datebook(name));
    header.RecordCount = static_cast<int32_t>(records.size());
    DataContext ctx;
    WriteDatebookFile(1, Datebook(name), header, records, ctx);
  }
  // The lines compare prints, made from the window model's lists.
  std::string ModelLines(const std::string& filter = "") {
    test::TestSession t;
    Session& s = t.s();
    s.settings.FilterUser1 = filter;
    for (Side side : kSides) {
      UserStore& st = s.Store(side);
      ReadDatebookFile(UserNumber(side), Datebook(side == kLeft ? "a" : "b"), st.datesHeader, st.dates, s.data);
    }
    s.form.Combo1.SetText(kDatesText);
    SelectKind(s);
    return ListLines(s, {"a", "b"});
  }
  static std::string Utf8(std::string text) {
    const size_t at = text.find("\xE9t\xE9");
    return at == std::string::npos ? text : text.replace(at, 3, "\xC3\xA9t\xC3\xA9");
  }

  test::TempDir dir;
};

TEST_F(CompareExportTest, CompareListsWhatTheWindowListsWithTheSamePairs) {
  const Result r = RunCli({"compare", "--kind", "Dates", "--left", User("a"), "--right", User("b"), "--quiet"});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string model = ModelLines();
  EXPECT_EQ(r.out, Utf8(model));
  // The lunch both hold is hidden; the two dentists are paired.
  EXPECT_EQ(model.find("Lunch"), std::string::npos);
  EXPECT_NE(model.find("L\t0\t1\t12\t0\t(300611) Dentist"), std::string::npos) << model;

  const Result json =
      RunCli({"compare", "--json", "--kind", "dates", "--left", User("a"), "--right", User("b"), "--quiet"});
  EXPECT_EQ(json.code, 1);
  const auto doc = nlohmann::json::parse(json.out);
  EXPECT_EQ(doc["users"], nlohmann::json({{"left", "a"}, {"right", "b"}}));
  EXPECT_EQ(doc["left"][0], nlohmann::json({{"row", 0}, {"text", "(300611) Dentist - 11-Jun-30"}, {"index", 1},
                                            {"id", 12}, {"pair", 0},
                                            {"differs", {"Start", "End"}}}));
  EXPECT_EQ(doc["right"][1]["text"], "(300614) Swim \u00e9t\u00e9 - 14-Jun-30");
  EXPECT_EQ(doc["totals"]["right"],
            nlohmann::json({{"listed", 2}, {"inTotal", 3}, {"held", 3}, {"hiddenByFilters", 0}}));
}

TEST_F(CompareExportTest, ConfigurationAndSetLinesDecideAsInTheWindow) {
  const std::string cfg = dir.File("Mirrin.cfg");
  test::WriteFileBytes(cfg, "UserDir1=" + User("a") + "\r\nUserDir2=" + User("b") +
                                "\r\nIncludeDates=N\r\nFilterUser1=G*\r\n");
  const Result r = RunCli({"compare", "--config", cfg, "--kind", "Dates", "--set", "FilterUser1=D*", "--quiet"});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.out, Utf8(ModelLines("D*")));
  EXPECT_EQ(r.out.find("Gym"), std::string::npos);
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    EXPECT_NE(entry.path().extension(), ".log") << "a headless run writes no log";
  }

  EXPECT_EQ(RunCli({"compare", "--config", cfg, "--kind", "Dates", "--set", "NoSuchKey=1"}).code, 2);
  EXPECT_EQ(RunCli({"compare", "--config", cfg, "--kind", "Dates", "--set", "LogLevel=many"}).code, 2);
}

TEST_F(CompareExportTest, ExitCodes) {
  std::filesystem::create_directories(User("c") + "/datebook");
  std::filesystem::copy_file(Datebook("a"), Datebook("c"));
  const Result same = RunCli({"compare", "--kind", "Dates", "--left", User("a"), "--right", User("c"), "--quiet"});
  EXPECT_EQ(same.code, 0) << same.err;
  EXPECT_EQ(same.out, "# side\trow\tindex\tid\tpair\ttext (L: User1 a, R: User2 c)\n"
                      "# left (User1 a): 0 Records (of 3 in total); holds 3, filters hid 0\n"
                      "# right (User2 c): 0 Records (of 3 in total); holds 3, filters hid 0\n");

  EXPECT_EQ(RunCli({"compare", "--help"}).code, 0);
  EXPECT_EQ(RunCli({"compare", "--left", User("a"), "--right", User("b")}).code, 2) << "no kind";
  EXPECT_EQ(RunCli({"compare", "--kind", "Letters", "--left", User("a"), "--right", User("b")}).code, 2);
  const Result missing = RunCli({"compare", "--kind", "Dates", "--left", User("a"), "--right", User("zz")});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("User2"), std::string::npos) << missing.err;
}

TEST_F(CompareExportTest, ExportMergesTwinsOnceAndLeavesThePalmFilesAlone) {
  const std::string before = test::ReadFileBytes(Datebook("a"));
  const std::string out = dir.File("both.ics");
  const Result r = RunCli({"export", "--kind", "Dates", "--format", "ics", User("a"), "--both", User("b"), "-o", out});
  EXPECT_EQ(r.code, 0) << r.err;
  const std::string ics = test::ReadFileBytes(out);
  for (const char* summary : {"SUMMARY:Lunch\r\n", "SUMMARY:Gym\r\n", "SUMMARY:Swim \xC3\xA9t\xC3\xA9\r\n"}) {
    EXPECT_NE(ics.find(summary), std::string::npos) << summary;
  }
  EXPECT_EQ(ics.find("SUMMARY:Lunch"), ics.rfind("SUMMARY:Lunch")) << "the twin is written once";
  EXPECT_NE(ics.find("SUMMARY:Dentist"), ics.rfind("SUMMARY:Dentist")) << "the dentists differ";
  // The zone comes from TZ.
  EXPECT_NE(ics.find("TZID:UTC\r\n"), std::string::npos) << ics;
  EXPECT_NE(ics.find("DTSTART;TZID=UTC:20300610T120000\r\n"), std::string::npos) << ics;
  EXPECT_EQ(test::ReadFileBytes(Datebook("a")), before);
  size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(User("a"))) files += entry.is_regular_file();
  EXPECT_EQ(files, 1u) << "no copy or other file beside the Palm files";

  // users.dat above the folders names the users; without it the folder does.
  test::WriteFileBytes(dir.File("users.dat"), test::UsersFile({{"Anna", "a"}}));
  const Result csv = RunCli({"export", "--kind", "Dates", "--format", "csv", User("a"), "--both", User("b"), "--bom"});
  EXPECT_EQ(csv.code, 0) << csv.err;
  EXPECT_EQ(csv.out.rfind("\xEF\xBB\xBFUser,", 0), 0u) << csv.out;
  EXPECT_NE(csv.out.find("\r\nAnna,11,"), std::string::npos) << csv.out;
  EXPECT_NE(csv.out.find("\r\nb,23,"), std::string::npos) << csv.out;

  EXPECT_EQ(RunCli({"export", "--kind", "Dates", "--format", "vcf", User("a")}).code, 2);
  EXPECT_EQ(RunCli({"export", "--kind", "Dates", "--format", "ics", User("a"), "--bom"}).code, 2);
  // Never over a Palm file, a recovery copy or anything in a user folder.
  for (const std::string& target : {Datebook("b"), User("b") + "/notes.ics", User("a") + "/../a/x.csv",
                                    dir.File("datebook.dat.preMirrin22"), dir.File("Mirrin_backup_todo.dat"),
                                    dir.File("mirrin_prerestore_address.dat")}) {
    const Result refused =
        RunCli({"export", "--kind", "Dates", "--format", "ics", User("a"), "--both", User("b"), "-o", target});
    EXPECT_EQ(refused.code, 2) << target;
    EXPECT_NE(refused.err.find("will not write"), std::string::npos) << refused.err;
  }
  EXPECT_EQ(test::ReadFileBytes(Datebook("a")), before);
  EXPECT_FALSE(std::filesystem::exists(User("b") + "/notes.ics"));
}

// compare reads the category filter file as start-up does: the window
// started on the same configuration lists the same rows.
TEST(CompareAsTheWindow, TheFilterFileHidesWhatTheWindowHides) {
  setenv("TZ", "UTC", 1);
  test::StartupFixture f;
  // Anna's first date goes into "Work", which the filter file hides for her.
  const std::string book = test::DatebookPath(f.AnnaDir());
  DataContext ctx;
  DatFileHeader header;
  std::vector<DateRecord> dates;
  ReadDatebookFile(1, book, header, dates, ctx);
  CategoryEntry work;
  work.Index = 1;
  work.Id = 101;
  work.LongName = work.ShortName = "Work";
  header.Categories.push_back(work);
  header.CategoryCount = 1;
  dates[0].Category = 1;
  WriteDatebookFile(1, book, header, dates, ctx);
  test::WriteFileBytes(f.prog.File("MirrinCategoriestoExclude.cfg"), "#\r\nAnna|Dates|Work\r\n");
  // The window's clock is the fixture's, compare's the machine's: both
  // cut-offs fall before the 2024 dates (and after 2000, where the right
  // pass's two-digit years would wrap) until 2032.
  f.WriteConfig({"DaystoIgnore=3000", "Startwith=Dates"});
  f.Start();
  const std::string model = ListLines(f.s(), {"Anna", "Bob"});
  EXPECT_NE(model.find("(User1 Anna): 1 Records (of 3 in total); holds 3, filters hid 1\n"), std::string::npos)
      << model;
  const Result r = RunCli({"compare", "--config", f.ConfigPath(), "--kind", "Dates", "--quiet"});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.out, model);
}

}  // namespace
}  // namespace mirrin
