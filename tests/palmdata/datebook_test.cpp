// What the golden samples cannot show: repeat rules given by reference, and
// end times tagged as dates.
#include <gtest/gtest.h>

#include "palmdata/kinds_testing.h"
#include "support/filebuilder.h"
#include "support/headerbuilder.h"

namespace mirrin {
namespace {

using test::Dates;
using test::FileBuilder;

// A classic datebook of one record whose repeat field (after tag 8) is given.
Bytes OneDate(const Bytes& repeatField) {
  FileBuilder b;
  test::AppendHeader(b,
                     test::HeaderLayout{"DB", false, {}, {1, 1, 1, 3, 1, 5, 1, 5, 6, 6, 1, 6, 1, 1, 8}, 1});
  b.IntField(1).IntField(0).IntField(2).DateField(86400).IntField(90000).CStringField("d").IntField(60);
  b.CStringField("").BoolField(false).BoolField(false).IntField(0).BoolField(false).IntField(0).IntField(0);
  return b.Long(8).Short(1).ULong(86400 * 3).Raw(repeatField).Data();
}

Bytes FullEntry(std::string_view name) {
  FileBuilder b;
  return b.Hex("FF FF 01 00").Short(static_cast<uint16_t>(name.size())).Raw(name).Data();
}

TEST(DatebookRepeat, ReferenceToAClassIsWrittenBackAsTheFullEntry) {
  auto payload = [](int brand) {
    FileBuilder b;
    return b.Long(brand).Long(2).ULong(0xFFFFFFF0u).Long(1);
  };
  struct Case {
    const char* name;  // "" for a type without a name
    int brand;
    Bytes rest;
  };
  const std::vector<Case> cases = {
      {"CDayName", 1, payload(1).Long(4).Data()},
      {"CWeekly", 2, payload(2).Long(0).Byte(0x7F).Data()},
      {"CDayOfMonth", 3, payload(3).Long(2).Long(4).Data()},
      {"CDateOfMonth", 4, payload(4).Long(31).Data()},
      {"CDateOfYear", 5, payload(5).Long(29).Long(1).Data()},
      {"", 7, payload(7).Long(12).Data()},
  };
  for (const Case& c : cases) {
    const Bytes full = OneDate(FullEntry(c.name) + c.rest);
    const Bytes reference =
        OneDate(FileBuilder().Short(static_cast<uint16_t>(0x8000 | c.brand)).Data() + c.rest);
    DataContext ctx;
    Dates::Store s = Dates::Parsed(reference, ctx);
    EXPECT_EQ(s.records[0].Repeat->ClassName.Get(), c.name);
    EXPECT_EQ(Dates::Build(s), full) << c.name;
  }
  // A full entry of a type without a table name keeps its own name.
  const Bytes future = OneDate(FullEntry("CFuture") + cases[5].rest);
  EXPECT_EQ(test::Rebuild("datebook-", future), future);
}

TEST(DatebookClassic, EndTimeTaggedAsDateIsWrittenAsInteger) {
  Bytes file = OneDate(test::HexBytes("00 00"));
  const size_t endTag = file.find(FileBuilder().IntField(90000).Data());
  file[endTag] = '\x03';
  DataContext ctx;
  Dates::Store s = Dates::Parsed(file, ctx);
  EXPECT_EQ(Dates::Build(s).substr(endTag, 8), FileBuilder().IntField(90000).Data());
  s.records[0].EndTime = PalmDate::Local(kUnixEpochDay + 2);
  const Bytes out = Dates::Build(s);
  EXPECT_EQ(out.substr(endTag, 8), FileBuilder().IntField(172800).Data());
  EXPECT_EQ(out.substr(endTag - 8, 8), FileBuilder().DateField(86400).Data()) << "the start stays a date";
}

}  // namespace
}  // namespace mirrin
