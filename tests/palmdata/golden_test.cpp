// Every sample in tests/data is read and shown as `mirrin-cli dump` shows it;
// the text must match the reference beside it (NAME.dump), and writing what
// was read must give the file's own bytes (users.dat is only ever read).
// Each field of a sample holds a value of its own, so a field read into the
// wrong place or dropped shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "palmdata/customfile.h"
#include "palmdata/fileio.h"
#include "palmdata/kinds_testing.h"
#include "palmdata/users.h"
#include "support/filebuilder.h"

// The reference texts come from the command line tool run through the shell.
#ifndef _WIN32

namespace mirrin {
namespace {

namespace fs = std::filesystem;
const fs::path kData = test::DataFile("");

std::vector<std::string> Samples() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kData)) {
    if (entry.path().extension() != ".dump") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Quoted(const std::string& bytes) {
  std::string q = "\"";
  for (unsigned char c : bytes) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    q += c >= 0x20 && c < 0x7F && c != '"' && c != '\\' ? std::string(1, static_cast<char>(c)) : hex;
  }
  return q + "\"";
}

// The record files are shown by the command line tool, in a zone with
// daylight time that is the same on every machine.
std::string Dump(const std::string& name) {
  const std::string command = "cd '" + kData.string() + "' && TZ='CET-1CEST,M3.5.0,M10.5.0/3' '" +
                              MIRRIN_CLI_PATH + "' dump '" + name + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buf[4096];
  for (size_t n; pipe && (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
  if (pipe) pclose(pipe);
  return out;
}

// users.dat and the custom kind have no dump of their own: every field, one a line.
std::string DumpUsers(const std::string& path) {
  UserList list;
  std::ostringstream out;
  ReadUserFile(path, list,
               [&](const std::string&, const RunError& e) { out << "Error: " << e.what() << "\n"; });
  const UserClassHeader& c = list.ClassHeader;
  out << "Class: " << c.Tag << " " << c.Schema << " " << c.NameLength << " " << Quoted(c.Name) << "\n";
  for (const UserEntry& u : list.Users) {
    out << "User: " << u.UserId << " " << u.NameLength << " " << Quoted(u.UserName) << " " << u.FolderLength
        << " " << Quoted(u.UserFolder) << " " << u.UserWord1 << " " << u.UserWord2 << " " << u.UserWord3
        << "\n";
  }
  return out.str();
}

std::string DumpCustom(const std::vector<CustomRecord>& records, const DatFileHeader& header) {
  std::ostringstream out;
  out << "CategoryCount: " << header.CategoryCount << "\n";
  for (const CategoryEntry& c : header.Categories)
    out << "Category: " << c.Id << " " << Quoted(c.LongName) << "\n";
  for (const CustomRecord& r : records) {
    out << "Record:";
    for (const std::string& f : r.Fields) out << " " << Quoted(f);
    for (const std::string& f : r.Extra) out << " +" << Quoted(f);
    out << "\n";
  }
  return out.str();
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, ShowsTheReferenceTextAndWritesTheSameBytes) {
  const std::string name = GetParam();
  const std::string path = (kData / name).string();
  const Bytes original = ReadWholeFile(path);
  std::string shown;
  if (name == "users.dat") {
    shown = DumpUsers(path);
  } else if (fs::path(name).extension() == ".csv") {
    DatFileHeader header;
    std::vector<CustomRecord> records;
    ReadCustomFile(path, header, records);
    shown = DumpCustom(records, header);
    EXPECT_EQ(CustomFileText(records), original);
  } else {
    shown = Dump(name);
    EXPECT_EQ(test::Rebuild(name, original), original) << "not written back byte for byte";
  }
  const fs::path reference = kData / fs::path(name).replace_extension(".dump");
  ASSERT_TRUE(fs::exists(reference)) << reference << " is missing";
  std::istringstream want(ReadWholeFile(reference.string())), got(shown);
  for (int line = 1; want || got; ++line) {
    std::string w = "(end)", g = "(end)";
    std::getline(want, w);
    std::getline(got, g);
    ASSERT_EQ(g, w) << reference << " line " << line << " differs";
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, Golden, ::testing::ValuesIn(Samples()), [](const auto& info) {
  std::string n = info.param;
  std::replace_if(
      n.begin(), n.end(), [](char c) { return !std::isalnum(c); }, '_');
  return n;
});

}  // namespace
}  // namespace mirrin

#endif  // _WIN32
