#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/cli/cli.h"
#include "palmdata/datebookfile.h"
#include "records/listdisplay.h"
#include "records/selectkind.h"
#include "support/filebuilder.h"
#include "support/session_fixture.h"

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
    std::string lines;
    for (Side side : kSides) {
      lines += std::string("# ") + (side == kLeft ? "left (User1): " : "right (User2): ") +
               s.form.NumRec(side).Caption() + "\n";
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
  EXPECT_NE(json.out.find("{\"left\":[{\"row\":0,\"text\":\"(300611) Dentist - 11-Jun-30\",\"index\":1,\"id\":12,"
                          "\"pair\":0}"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"totals\":{\"left\":3,\"right\":3}}"), std::string::npos) << json.out;
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
  EXPECT_EQ(same.out, "# left (User1): 0 Records (of 3 in total)\n# right (User2): 0 Records (of 3 in total)\n");

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
  EXPECT_EQ(test::ReadFileBytes(Datebook("a")), before);
  size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(User("a"))) files += entry.is_regular_file();
  EXPECT_EQ(files, 1u) << "no copy or other file beside the Palm files";

  const Result csv = RunCli({"export", "--kind", "Dates", "--format", "csv", User("a")});
  EXPECT_EQ(csv.code, 0) << csv.err;
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 4) << csv.out;

  EXPECT_EQ(RunCli({"export", "--kind", "Dates", "--format", "vcf", User("a")}).code, 2);
  EXPECT_EQ(RunCli({"export", "--kind", "Dates", "--format", "ics", User("a"), "-o", Datebook("b")}).code, 2);
  EXPECT_EQ(test::ReadFileBytes(Datebook("a")), before);
}

}  // namespace
}  // namespace mirrin
