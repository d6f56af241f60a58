#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

#include "app/cli/cli.h"
#include "palmdata/addressfile.h"
#include "support/filebuilder.h"
#include "support/headerbuilder.h"

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

// A small strict JSON checker, enough to say that scripts can parse the dump.
class JsonChecker {
 public:
  explicit JsonChecker(const std::string& s) : s_(s) {}
  bool Valid() {
    pos_ = 0;
    if (!Value()) return false;
    Space();
    return pos_ == s_.size();
  }

 private:
  void Space() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
  }
  bool Eat(char c) {
    Space();
    if (pos_ < s_.size() && s_[pos_] == c) return ++pos_, true;
    return false;
  }
  bool String() {
    if (!Eat('"')) return false;
    while (pos_ < s_.size() && s_[pos_] != '"') {
      const unsigned char c = static_cast<unsigned char>(s_[pos_++]);
      if (c < 0x20 || c >= 0x80) return false;  // the dump promises plain ASCII
      if (c == '\\') {
        if (pos_ >= s_.size()) return false;
        const char e = s_[pos_++];
        if (e == 'u') {
          for (int i = 0; i < 4; ++i, ++pos_) {
            if (pos_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[pos_]))) return false;
          }
        } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
          return false;
        }
      }
    }
    return Eat('"');
  }
  bool Value() {
    Space();
    if (pos_ >= s_.size()) return false;
    const char c = s_[pos_];
    if (c == '"') return String();
    if (c == '{' || c == '[') {
      const char close = c == '{' ? '}' : ']';
      ++pos_;
      if (Eat(close)) return true;
      do {
        if (c == '{' && !(String() && Eat(':'))) return false;
        if (!Value()) return false;
      } while (Eat(','));
      return Eat(close);
    }
    for (const char* word : {"true", "false", "null"}) {
      if (s_.compare(pos_, std::strlen(word), word) == 0) return pos_ += std::strlen(word), true;
    }
    const size_t start = pos_;
    if (s_[pos_] == '-') ++pos_;
    while (pos_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[pos_])) ||
                                std::string(".eE+-").find(s_[pos_]) != std::string::npos)) {
      ++pos_;
    }
    return pos_ > start && std::isdigit(static_cast<unsigned char>(s_[pos_ - 1]));
  }

  const std::string& s_;
  size_t pos_ = 0;
};

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

TEST_F(CliFiles, DumpShowsHeaderCategoriesAndEveryRecordField) {
  const std::string path = WriteContacts(true);
  const Result r = RunCli({"dump", path});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* expected :
       {"Kind: contacts", "IsExtended: true", "VersionTag: \"\\x00\\x01BA\"", "LabelText: \"Label8\"",
        "CategoryCount: 2", "  Index: 2\n    Id: 22", "LongName: \"Caf\\xE9\"", "RecordCount: 2",
        "Record 1:", "Company: \"Acme \\x80 \\xE9\"", "Value: \"555-0104\"", "Website: \"example.org\"",
        "ExtRowId: 4097", "Note: \"NOTE-MARK\""}) {
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
  }
}

TEST_F(CliFiles, JsonDumpIsValidAsciiWithWindows1252Escapes) {
  const Result r = RunCli({"dump", WriteContacts(true), "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(JsonChecker(r.out).Valid()) << r.out;
  for (const char* expected :
       {"\"kind\":\"contacts\"", "\"LongName\":\"Caf\\u00E9\"", "\"Company\":\"Acme \\u20AC \\u00E9\"",
        "\"FieldTypes\":[1,1,", "\"Phones\":[{\"Label\":0,\"Value\":\"\"},",
        "{\"Label\":7,\"Value\":\"555-0104\"}", "\"Private\":true", "\"records\":[\n{"}) {
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
  }
}

TEST_F(CliFiles, KindComesFromTheVersionTagOrTheOption) {
  struct Case {
    const char* letters;
    const char* kind;
  };
  for (const Case& c : {Case{"BD", "dates"}, Case{"DB", "dates"}, Case{"DT", "todos"}, Case{"MP", "memos"}}) {
    for (bool extended : {false, true}) {
      test::HeaderLayout layout;
      layout.letters = c.letters;
      layout.extended = extended;
      layout.fieldTypes = {1};
      test::FileBuilder b;
      test::AppendHeader(b, layout);
      const Result r = RunCli({"dump", WriteRaw("kind.dat", b.Data())});
      EXPECT_EQ(r.code, 0) << r.err;
      EXPECT_NE(r.out.find(std::string("Kind: ") + c.kind), std::string::npos) << r.out;
    }
  }
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
}

TEST_F(CliFiles, RoundtripSaysIdenticalOrTheFirstDifference) {
  for (bool extended : {false, true}) {
    const Result same = RunCli({"roundtrip", WriteContacts(extended)});
    EXPECT_EQ(same.code, 0) << same.err;
    EXPECT_EQ(same.out, "identical\n");
  }
  const std::string corpus = std::string(MIRRIN_CORPUS_DIR) + "/todo/Palm-todos-v1.dat";
  const Result sample = RunCli({"roundtrip", corpus});
  EXPECT_EQ(sample.code, 0) << sample.err << sample.out;
  EXPECT_EQ(sample.out, "identical\n");

  // A Boolean stored as 2 reads as false and is written as 0.
  const std::string path = WriteContacts(false);
  std::string bytes = test::ReadFileBytes(path);
  const size_t flag = bytes.find("NOTE-MARK") + 9 + 4;
  ASSERT_EQ(bytes[flag], '\x01');
  bytes[flag] = '\x02';
  test::WriteFileBytes(path, bytes);
  const Result differs = RunCli({"roundtrip", path});
  EXPECT_EQ(differs.code, 1);
  EXPECT_NE(differs.out.find("offset " + std::to_string(flag) + ": file 02, written 00"),
            std::string::npos)
      << differs.out;
  EXPECT_EQ(test::ReadFileBytes(path), bytes) << "roundtrip never writes FILE";
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
    EXPECT_EQ(r.err.find("mirrin-cli: ReadAddressFile " + cut + ",1: Input past end of file (error 62)"),
              0u)
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

}  // namespace
}  // namespace mirrin
