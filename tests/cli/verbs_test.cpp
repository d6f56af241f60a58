#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "palmdata/addressfile.h"
#include "support/filebuilder.h"
#include "support/headerbuilder.h"
#include "support/usersfile.h"

namespace mirrin {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = cli::Run(args, out, err);
  return {code, out.str(), err.str()};
}

class CliFiles : public ::testing::Test {
 protected:
  // An extended address file of two contacts, with bytes above 127.
  std::string WriteContacts(bool extended) {
    test::HeaderLayout layout;
    layout.letters = "BA";
    layout.extended = extended;
    layout.categories = {{1, 21, "Business"}, {2, 22, "Caf\xE9"}};
    // Few declared fields, so a file cut short still passes the header's
    // record-count check and fails inside a record.
    layout.fieldTypes.assign(30, 1);
    layout.records = 0;
    test::FileBuilder b;
    test::AppendHeader(b, layout);
    const std::string headerOnly = dir_.File("header.dat");
    b.WriteTo(headerOnly);

    DataContext ctx;
    DatFileHeader header;
    std::vector<ContactRecord> records;
    ReadAddressFile(1, headerOnly, header, records, ctx);
    records.resize(2);
    records[0].LastName = "Lee";
    records[0].FirstName = "Ann";
    records[0].Note = "NOTE-MARK";
    records[0].Private = true;
    records[0].Category = 2;
    records[1].Company = "Acme \x80 \xE9";
    records[1].Phones[4] = {7, "555-0104"};
    records[1].Website = "example.org";
    header.RecordCount = 2;
    const std::string path = dir_.File(extended ? "address-ext.dat" : "address.dat");
    WriteAddressFile(1, path, header, records, ctx);
    return path;
  }

  std::string WriteRaw(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name);
    test::WriteFileBytes(path, bytes);
    return path;
  }

  test::TempDir dir_;
};

#ifndef _WIN32
// JSON for scripts: plain ASCII, texts decoded with the code page in use.
TEST_F(CliFiles, JsonDumpDecodesTextsWithTheCodePage) {
  const std::string path = WriteContacts(true);
  const Result r = RunCli({"dump", path, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(
      std::all_of(r.out.begin(), r.out.end(), [](char c) { return (c > 0 && c < 0x7F) || c == '\n'; }));
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["kind"], "contacts");
  EXPECT_EQ(doc["header"]["Categories"][1]["LongName"], "Caf\u00e9");
  EXPECT_EQ(doc["header"]["FieldTypes"][0], 1);
  EXPECT_EQ(doc["records"][0]["Private"], true);
  EXPECT_EQ(doc["records"][1]["Company"], "Acme \u20ac \u00e9");
  EXPECT_EQ(doc["records"][1]["Phones"][4], nlohmann::json({{"Label", 7}, {"Value", "555-0104"}}));
  EXPECT_EQ(doc["records"][1]["ExtTag4"], 65);

  // The code page is chosen once per process, so another one needs a run of its own.
  const std::string command = "MIRRIN_CODEPAGE=ISO-8859-7 " MIRRIN_CLI_PATH " dump --json '" + path + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(nlohmann::json::parse(out)["header"]["Categories"][1]["LongName"], "Caf\u03b9");
}
#endif

// The kinds of known tags are read from the demo's files by the demo scenario.
TEST_F(CliFiles, AnUnknownTagNeedsTheKindOption) {
  test::HeaderLayout layout;
  layout.letters = "ZZ";
  layout.fieldTypes = {1};
  test::FileBuilder b;
  test::AppendHeader(b, layout);
  const std::string unknown = WriteRaw("unknown.dat", b.Data());
  const Result refused = RunCli({"dump", unknown});
  EXPECT_EQ(refused.code, 2);
  EXPECT_NE(refused.err.find("--kind"), std::string::npos) << refused.err;
  const Result told = RunCli({"dump", "--kind", "memos", unknown});
  EXPECT_EQ(told.code, 0) << told.err;
  EXPECT_NE(told.out.find("Kind: memos"), std::string::npos);
  EXPECT_EQ(RunCli({"dump", unknown, "--kind", "notes"}).code, 2);

  // A version tag the program does not know is named as the reason.
  std::string newer = b.Data();
  newer[1] = '\x02';
  const Result tagged = RunCli({"dump", "--kind", "memos", WriteRaw("newer.dat", newer)});
  EXPECT_EQ(tagged.code, 2);
  EXPECT_NE(tagged.err.find("unknown version tag 00 02 5A 5A"), std::string::npos) << tagged.err;
}

TEST_F(CliFiles, RoundtripSaysIdenticalOrTheFirstDifference) {
  // "identical" for every demo file is the demo scenario's.
  // A Boolean stored as 2 reads as false and is written as 0.
  const std::string path = WriteContacts(false);
  std::string bytes = test::ReadFileBytes(path);
  const size_t flag = bytes.find("NOTE-MARK") + 9 + 4;
  ASSERT_EQ(bytes[flag], '\x01');
  bytes[flag] = '\x02';
  test::WriteFileBytes(path, bytes);
  const Result differs = RunCli({"roundtrip", path});
  EXPECT_EQ(differs.code, 1);
  EXPECT_NE(differs.out.find("offset " + std::to_string(flag) + ": file 02, written 00"), std::string::npos)
      << differs.out;
  EXPECT_EQ(differs.out.find("planned"), std::string::npos) << differs.out;
  EXPECT_EQ(test::ReadFileBytes(path), bytes) << "roundtrip never writes FILE";

  // An extended row numbered otherwise than a save numbers it.
  std::string rows = test::ReadFileBytes(WriteContacts(true));
  const size_t row = rows.find(std::string("\x01\0\0\0\0\x10\0\0", 8));
  ASSERT_NE(row, std::string::npos);
  rows[row + 4] = '\x05';
  const Result renumbered = RunCli({"roundtrip", WriteRaw("renumbered.dat", rows)});
  EXPECT_EQ(renumbered.code, 1);
  EXPECT_NE(renumbered.out.find("planned rewrite"), std::string::npos) << renumbered.out;
}

TEST_F(CliFiles, ReadFailuresNameTheFileRecordAndField) {
  const std::string whole = test::ReadFileBytes(WriteContacts(true));
  // The second contact's phone claims more bytes than the file holds.
  std::string damaged = whole;
  damaged.replace(whole.find("555-0104") - 1, 1, "\xFF\xFF\x7F");
  const std::string cut = WriteRaw("cut.dat", damaged);
  for (const char* verb : {"dump", "roundtrip"}) {
    const Result r = RunCli({verb, cut});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.find("mirrin-cli: ReadAddressFile " + cut + ",1: Input past end of file (error 62)"), 0u)
        << r.err;
    EXPECT_NE(r.err.find("Acme \x80 \xE9 n"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  // A missing file and a folder are errors naming the path, not aborts.
  for (const std::string& path : {dir_.File("nothing.dat"), dir_.Path()}) {
    const Result r = RunCli({"roundtrip", path});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
  }
  EXPECT_EQ(RunCli({"dump"}).code, 2);
  EXPECT_EQ(RunCli({"roundtrip", "a.dat", "--json"}).code, 2);
}

TEST(UsersVerb, NamesAreShownAsUtf8WithoutTerminalControlsAndBadFoldersSaySo) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("users.dat"), test::UsersFile({{"\x1B[2J\xE9v\x81\x7F", "..\\x"}}));
  const Result r = RunCli({"users", dir.Path()});
  EXPECT_EQ(r.code, 0) << r.err;
#ifdef _WIN32
  const std::string undefined = "\\x81";  // Windows gives 0x81 a C1 control, shown escaped
#else
  const std::string undefined = "\xEF\xBF\xBD";
#endif
  EXPECT_EQ(r.out, "\\x1B[2J\xC3\xA9v" + undefined +
                       "\\x7F\t..\\x\t(not usable: it leads out of the Palm directory (\"..\"))\n");
}

TEST(UsersVerb, ErrorsNameTheFileOnOneLineWithExitCode2) {
  test::TempDir dir;
  const std::string path = dir.Path() + "/users.dat";

  Result r = RunCli({"users", dir.Path()});  // no users.dat yet
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find(path), std::string::npos) << r.err;

  const std::string whole = test::UsersFile({{"Anna", "AnnaF"}, {"Bob", "BobDir"}});
  test::WriteFileBytes(path, whole.substr(0, whole.size() - 13));  // Bob's folder cut short
  r = RunCli({"users", dir.Path()});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("user 2 folder"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

  r = RunCli({"users"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("usage"), std::string::npos);
}

}  // namespace
}  // namespace mirrin
