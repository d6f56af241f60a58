#include "palmdata/datebookfile.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/layout_testing.h"
#include "support/headerbuilder.h"

namespace mirrin {
namespace {

using test::FileBuilder;
using test::HeaderLayout;

const std::vector<int> kClassicTypes{1, 1, 1, 3, 1, 5, 1, 5, 6, 6, 1, 6, 1, 1, 8};
const std::vector<int> kExtendedTypes{1, 1, 1, 1, 1, 1, 6, 64, 65, 66, 65, 5, 5, 3, 3, 5, 1, 5, 6, 6, 1};
const uint32_t kStart = test::PalmTimeUtc(2021, 3, 14, 12, 0);
const uint32_t kEnd = test::PalmTimeUtc(2021, 3, 14, 13, 30);
const uint32_t kRepeatEnd = test::PalmTimeUtc(2031, 12, 31, 0, 0);

// One classic record; repeatField is what follows tag 8.
void AppendClassicDate(FileBuilder& b, int id, const std::string& repeatField, uint32_t start = kStart,
                       uint32_t end = kEnd) {
  b.IntField(id).IntField(0).IntField(id * 10).DateField(start).IntField(static_cast<int32_t>(end));
  b.CStringField("Lunch " + std::to_string(id)).IntField(90).CStringField("bring the report");
  b.BoolField(false).BoolField(id % 2 == 1).IntField(3).BoolField(true).IntField(2).IntField(1);
  b.Long(8).Raw(repeatField);
}

void AppendExtendedDate(FileBuilder& b, int id, int rowId, int fieldBase, const std::string& repeatField) {
  test::AppendExtPrefix(b, id, 2, 1, false, rowId, fieldBase);
  b.DateField(kStart).DateField(kEnd).CStringField("Dentist").IntField(90).CStringField("");
  b.BoolField(false).BoolField(false).IntField(10).IntField(0);
  b.Long(8).Raw(repeatField);
  b.CStringField("Main Street 5").IntField(77).CStringField("x3").CStringField("");
}

Bytes ClassicFile(const std::vector<std::string>& repeatFields) {
  FileBuilder b;
  HeaderLayout layout;
  layout.categories = {{3, 17, "Business"}};
  layout.fieldTypes = kClassicTypes;
  layout.records = static_cast<int>(repeatFields.size());
  test::AppendHeader(b, layout);
  for (size_t i = 0; i < repeatFields.size(); ++i) AppendClassicDate(b, static_cast<int>(i) + 1, repeatFields[i]);
  return b.Data();
}

struct Datebook {
  DatFileHeader header;
  std::vector<DateRecord> records;
};

Datebook Parse(const Bytes& data, DataContext& ctx) {
  Datebook d;
  ParseDatebookFile(data, "C:\\Palm\\A\\datebook\\datebook.dat", d.header, d.records, ctx);
  return d;
}

Bytes Rebuild(const Bytes& data, const TimeZoneInfo& tz = {}) {
  DataContext ctx;
  ctx.timeZone = tz;
  Datebook d = Parse(data, ctx);
  return BuildDatebookFile(d.header, d.records, ctx);
}

std::string WeeklyPayload() {
  FileBuilder b;
  return b.Long(2).Long(1).ULong(kRepeatEnd).Long(1).Long(3).Byte(0x2A).Data();
}

TEST(DatebookClassic, DecodesEveryFieldAndWritesTheSameBytes) {
  const Bytes file = ClassicFile({test::RepeatField({}, test::kNoRepeat)});
  DataContext ctx;
  const Datebook d = Parse(file, ctx);
  ASSERT_EQ(d.records.size(), 1u);
  const DateRecord& r = d.records[0];
  EXPECT_EQ(r.RecordId, 1);
  EXPECT_EQ(r.Position, 10);
  EXPECT_NEAR(r.StartTime.value, MakeDate(2021, 3, 14) + MakeTime(12, 0, 0), 1e-6);
  EXPECT_NEAR(r.EndTime.value, MakeDate(2021, 3, 14) + MakeTime(13, 30, 0), 1e-6);
  EXPECT_EQ(r.Description, "Lunch 1");
  EXPECT_EQ(r.Duration, 90);
  EXPECT_EQ(r.Note, "bring the report");
  EXPECT_FALSE(r.Untimed);
  EXPECT_TRUE(r.Private);
  EXPECT_EQ(r.Category, 3);
  EXPECT_TRUE(r.AlarmSet);
  EXPECT_EQ(r.AlarmAdvance, 2);
  EXPECT_EQ(r.AlarmUnit, 1);
  EXPECT_EQ(r.Repeat.Hash, 0);
  EXPECT_EQ(r.ExceptionCount, 0);
  EXPECT_EQ(Rebuild(file), file);
}

TEST(DatebookClassic, EndTimeIsWrittenAsIntegerFieldHoldingPalmTime) {
  // Palm Desktop may tag the end time as a date; it is written back tagged 1.
  Bytes file = ClassicFile({test::RepeatField({}, test::kNoRepeat)});
  const size_t endTag = ClassicFile({}).size() + 4 * 8;
  ASSERT_EQ(file[endTag], '\x01');
  file[endTag] = '\x03';

  DataContext ctx;
  Datebook d = Parse(file, ctx);
  d.records[0].EndTime = PalmDate::Local(MakeDate(2021, 3, 14) + MakeTime(15, 0, 0));
  const Bytes out = BuildDatebookFile(d.header, d.records, ctx);
  FileBuilder expected;
  expected.IntField(static_cast<int32_t>(test::PalmTimeUtc(2021, 3, 14, 15, 0)));
  EXPECT_EQ(out.substr(endTag, 8), expected.Data());
  EXPECT_EQ(out.substr(endTag - 8, 4), test::HexBytes("03 00 00 00"));  // StartTime stays a date
}

TEST(DatebookRepeat, ClassReferenceIsWrittenBackAsFullClassEntry) {
  const std::vector<uint32_t> exceptions{test::PalmTimeUtc(2021, 4, 7, 0, 0), 0xFFFFFFFFu, 0x80000001u};
  const Bytes file = ClassicFile({test::RepeatField({}, test::FullClassEntry("CWeekly") + WeeklyPayload()),
                                  test::RepeatField(exceptions, test::HexBytes("03 80") + WeeklyPayload())});
  DataContext ctx;
  const Datebook d = Parse(file, ctx);
  const RepeatRule& rule = d.records[1].Repeat;
  EXPECT_EQ(rule.Hash, 65535);
  EXPECT_EQ(rule.SchemaNo, 1);
  EXPECT_EQ(rule.ClassName, "CWeekly");
  EXPECT_EQ(rule.ClassNameLength, 7);
  EXPECT_EQ(rule.Brand, 2);
  EXPECT_EQ(rule.Interval, 1);
  EXPECT_EQ(rule.FirstDayOfWeek, 1);
  EXPECT_EQ(rule.DayIndex, 3);
  EXPECT_EQ(rule.DaysMask, 0x2A);
  EXPECT_NEAR(rule.EndDate.value, MakeDate(2031, 12, 31), 1e-6);
  ASSERT_EQ(d.records[1].ExceptionCount, 3);
  EXPECT_EQ(static_cast<uint32_t>(d.records[1].Exceptions[1]), 0xFFFFFFFFu);

  // Both records now carry the full entry; the exceptions come back bit for bit.
  const Bytes expected = ClassicFile({test::RepeatField({}, test::FullClassEntry("CWeekly") + WeeklyPayload()),
                                      test::RepeatField(exceptions, test::FullClassEntry("CWeekly") + WeeklyPayload())});
  EXPECT_EQ(Rebuild(file), expected);
}

TEST(DatebookRepeat, EveryTypeRoundTripsWithItsOwnFields) {
  struct Case {
    const char* name;
    std::string payload;  // brand onward
  };
  auto payload = [](int brand) {
    FileBuilder b;
    b.Long(brand).Long(2).ULong(kRepeatEnd).Long(0);
    return b;
  };
  const std::vector<Case> cases = {
      {"CDayName", payload(1).Long(4).Data()},
      {"CWeekly", payload(2).Long(0).Byte(0x7F).Data()},
      {"CDayOfMonth", payload(3).Long(2).Long(4).Data()},
      {"CDateOfMonth", payload(4).Long(31).Data()},
      {"CDateOfYear", payload(5).Long(29).Long(1).Data()},
  };
  for (const Case& c : cases) {
    const Bytes file = ClassicFile({test::RepeatField({}, test::FullClassEntry(c.name) + c.payload)});
    EXPECT_EQ(Rebuild(file), file) << c.name;
    // A reference to the same class comes back as the full entry.
    const Bytes referring = ClassicFile({test::RepeatField({}, test::HexBytes("01 80") + c.payload)});
    EXPECT_EQ(Rebuild(referring), file) << c.name;
  }
  DataContext ctx;
  const Datebook yearly = Parse(ClassicFile({test::RepeatField({}, test::FullClassEntry("CDateOfYear") + cases[4].payload)}), ctx);
  EXPECT_EQ(yearly.records[0].Repeat.DayNumber, 29);
  EXPECT_EQ(yearly.records[0].Repeat.MonthIndex, 1);
}

TEST(DatebookRepeat, TypesWithoutTableNameKeepWhatWasRead) {
  FileBuilder future;
  future.Long(7).Long(1).ULong(kRepeatEnd).Long(0).Long(12);
  // A full entry keeps its own name (and a schema number of 1).
  const Bytes named = ClassicFile({test::RepeatField({}, test::FullClassEntry("CFuture") + future.Data())});
  EXPECT_EQ(Rebuild(named), named);
  // A reference has no name to keep: the entry is written with an empty one.
  const Bytes referring = ClassicFile({test::RepeatField({}, test::HexBytes("05 80") + future.Data())});
  EXPECT_EQ(Rebuild(referring), ClassicFile({test::RepeatField({}, test::FullClassEntry("") + future.Data())}));
  // Only types 1 to 5 have names.
  for (int outside : {0, 6, -1}) EXPECT_EQ(RepeatTypeName(outside), "") << outside;
}

TEST(DatebookRepeat, EndDateFarBeyond2038IsKeptAsStored) {
  // The end of a repeat is a plain long: FF FF FF FF is a time in 2106, not 1970.
  FileBuilder never;
  never.Long(1).Long(1).ULong(0xFFFFFFFFu).Long(0).Long(1);
  const Bytes file = ClassicFile({test::RepeatField({}, test::FullClassEntry("CDayName") + never.Data())});
  DataContext ctx;
  const Datebook d = Parse(file, ctx);
  EXPECT_GT(d.records[0].Repeat.EndDate.value, MakeDate(2106, 1, 1));
  EXPECT_EQ(Rebuild(file), file);
}

TEST(DatebookExtended, RowsAreRenumberedAndExtendedFieldsKept) {
  HeaderLayout layout;
  layout.extended = true;
  layout.fieldTypes = kExtendedTypes;
  layout.records = 2;
  auto build = [&](int row0, int base0, int row1, int base1) {
    FileBuilder b;
    test::AppendHeader(b, layout);
    AppendExtendedDate(b, 501, row0, base0, test::RepeatField({}, test::kNoRepeat));
    AppendExtendedDate(b, 502, row1, base1, test::RepeatField({5}, test::FullClassEntry("CDayName") + [] {
                         FileBuilder p;
                         return p.Long(1).Long(1).ULong(kRepeatEnd).Long(0).Long(2).Data();
                       }()));
    return b.Data();
  };
  const Bytes file = build(9, 400, 9, 400);
  DataContext ctx;
  Datebook d = Parse(file, ctx);
  ASSERT_TRUE(d.header.IsExtended);
  ASSERT_EQ(d.header.FieldCount, 21);
  EXPECT_EQ(d.records[1].Location, "Main Street 5");
  EXPECT_EQ(d.records[1].ExtNumber, 77);
  EXPECT_EQ(d.records[1].ExtString3, "x3");
  EXPECT_EQ(d.records[1].Status, 2);
  EXPECT_EQ(d.records[1].Repeat.Brand, 1);

  // Rows renumbered in file and store; both dates stay tagged 3 in this layout.
  const Bytes out = BuildDatebookFile(d.header, d.records, ctx);
  EXPECT_EQ(out, build(4096, 0, 4097, 21));
  EXPECT_EQ(d.records[1].ExtRowId, 4097);
  EXPECT_EQ(d.records[1].ExtFieldBase, 21);
  EXPECT_EQ(Rebuild(out), out);
}

TEST(DatebookFile, MissingFileGivesClassicDefaultsThatAreWrittenAsSuch) {
  test::TempDir dir;
  test::RecordingLog log;
  DataContext ctx;
  ctx.log = &log;
  const std::string path = dir.File("datebook.dat");
  DatFileHeader header;
  header.IsExtended = true;
  std::vector<DateRecord> records(2);
  ReadDatebookFile(1, path, header, records, ctx);
  EXPECT_EQ(header.RecordCount, 0);
  EXPECT_TRUE(records.empty());
  ASSERT_FALSE(log.lines.empty());
  EXPECT_EQ(log.lines[0], std::make_pair("ReadDatebookFile " + path, 4));

  WriteDatebookFile(1, path, header, records, ctx);
  FileBuilder expected;
  expected.Hex("00 01 42 44").CString(path).CString("").Long(128).Long(0);
  expected.Long(54).Long(15).Long(0).Long(1).Long(2).Short(15);
  for (int t : kClassicTypes) expected.Short(static_cast<uint16_t>(t));
  expected.Long(0);
  EXPECT_EQ(test::ReadFileBytes(path), expected.Data());
  EXPECT_EQ(log.lines.back(), std::make_pair("Write 0 Datebook for 1 to " + path, 4));
}

TEST(DatebookFile, WriteReadsBackThroughTheFileAndRefusesInconsistentRecords) {
  test::TempDir dir;
  const std::string path = dir.File("datebook.dat");
  const Bytes file = ClassicFile({test::RepeatField({1, 2}, test::kNoRepeat)});
  test::WriteFileBytes(path, file);
  DataContext ctx;
  Datebook d;
  ReadDatebookFile(2, path, d.header, d.records, ctx);
  ASSERT_EQ(d.records.size(), 1u);
  d.records[0].ExceptionCount = 3;  // more than it holds
  try {
    WriteDatebookFile(2, path, d.header, d.records, ctx);
    FAIL() << "an exception count beyond the list must not be written";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::SubscriptOutOfRange);
  }
  EXPECT_EQ(test::ReadFileBytes(path), file);
}

TEST(DatebookErrors, TruncatedOrCorruptFilesNameFileAndRecord) {
  const size_t first = ClassicFile({}).size();
  const Bytes weekly = test::RepeatField({7, 8, 9}, test::FullClassEntry("CWeekly") + WeeklyPayload());
  const Bytes file = ClassicFile({test::RepeatField({}, test::kNoRepeat), weekly});
  const size_t exceptionCount = file.size() - weekly.size();
  const size_t className = exceptionCount + 2 + 3 * 4 + 6;

  Bytes hugeExceptions = file;
  hugeExceptions[exceptionCount] = '\xFF';
  hugeExceptions[exceptionCount + 1] = '\xFF';
  struct Case {
    const char* what;
    Bytes data;
    int number;
    int record;
  };
  const std::vector<Case> cases = {
      {"cut in the first record", file.substr(0, first + 20), err::InputPastEnd, 0},
      {"cut in the class name", file.substr(0, className + 3), err::InputPastEnd, 1},
      {"cut in the repeat payload", file.substr(0, file.size() - 1), err::InputPastEnd, 1},
      {"exception count beyond the file", hugeExceptions, err::InputPastEnd, 1},
  };
  const std::string path = "C:\\Palm\\A\\datebook\\datebook.dat";
  for (const Case& c : cases) {
    DataContext ctx;
    Datebook d;
    d.records.resize(5);
    try {
      ParseDatebookFile(c.data, path, d.header, d.records, ctx);
      ADD_FAILURE() << c.what << ": read without error";
    } catch (const RunError& e) {
      EXPECT_EQ(e.number(), c.number) << c.what << ": " << e.detail();
      EXPECT_EQ(e.where(), "ReadDatebookFile " + path + "," + std::to_string(c.record)) << c.what;
    }
    EXPECT_EQ(d.records.size(), 5u) << c.what << ": the store is left as it was";
  }
}

TEST(DatebookDaylight, DatesConvertWithTheZoneAndAutumnHourKeepsItsBytes) {
  const TimeZoneInfo berlin = test::BerlinZone();
  const uint32_t summer = test::PalmTimeUtc(2021, 7, 1, 10, 0);
  const uint32_t winter = test::PalmTimeUtc(2021, 1, 15, 10, 0);
  // 01:30 UTC on the last Sunday of October is one of two instants shown as
  // the same local time; converting that time back gives the other one.
  const uint32_t autumn = test::PalmTimeUtc(2021, 10, 31, 1, 30);
  FileBuilder b;
  HeaderLayout layout;
  layout.fieldTypes = kClassicTypes;
  layout.records = 2;
  test::AppendHeader(b, layout);
  AppendClassicDate(b, 1, test::RepeatField({}, test::kNoRepeat), summer, winter);
  FileBuilder endsInAutumn;
  endsInAutumn.Long(1).Long(1).ULong(autumn).Long(0).Long(1);
  AppendClassicDate(b, 2, test::RepeatField({}, test::FullClassEntry("CDayName") + endsInAutumn.Data()), autumn,
                    autumn);
  const Bytes file = b.Data();

  DataContext ctx;
  ctx.timeZone = berlin;
  Datebook d = Parse(file, ctx);
  EXPECT_NEAR(d.records[0].StartTime.value, MakeDate(2021, 7, 1) + MakeTime(12, 0, 0), 1e-6);
  EXPECT_NEAR(d.records[0].EndTime.value, MakeDate(2021, 1, 15) + MakeTime(11, 0, 0), 1e-6);
  const double autumnLocal = d.records[1].StartTime.value;
  ASSERT_NE(static_cast<uint32_t>(DateToSeconds(autumnLocal, berlin)), autumn);
  EXPECT_EQ(BuildDatebookFile(d.header, d.records, ctx), file);

  // Changed dates are converted with the season of the new local time.
  d.records[0].StartTime = PalmDate::Local(MakeDate(2021, 8, 2) + MakeTime(9, 15, 0));
  d.records[0].EndTime = PalmDate::Local(MakeDate(2021, 12, 2) + MakeTime(9, 15, 0));
  const Bytes changed = BuildDatebookFile(d.header, d.records, ctx);
  const Datebook again = Parse(changed, ctx);
  EXPECT_EQ(again.records[0].StartTime.stored, test::PalmTimeUtc(2021, 8, 2, 7, 15));
  EXPECT_EQ(again.records[0].EndTime.stored, test::PalmTimeUtc(2021, 12, 2, 8, 15));
}

class FieldNames : public FieldVisitor {
 public:
  void Int(const char* n, int64_t) override { names.push_back(prefix + n); }
  void Bool(const char* n, bool) override { names.push_back(prefix + n); }
  void Text(const char* n, const std::string&) override { names.push_back(prefix + n); }
  void Date(const char* n, const PalmDate&) override { names.push_back(prefix + n); }
  void Begin(const char* n) override {
    open.push_back(prefix.size());
    prefix += std::string(n) + ".";
  }
  void End() override {
    prefix.resize(open.back());
    open.pop_back();
  }
  std::vector<std::string> names;
  std::string prefix;
  std::vector<size_t> open;
};

TEST(DatebookDescribe, ListsEveryStoredFieldAndTheExceptions) {
  DataContext ctx;
  const Datebook d = Parse(ClassicFile({test::RepeatField({4, 5}, test::FullClassEntry("CWeekly") + WeeklyPayload())}), ctx);
  FieldNames v;
  Describe(d.records[0], v);
  auto has = [&](const std::string& n) { return std::count(v.names.begin(), v.names.end(), n); };
  EXPECT_EQ(has("RecordId"), 1);
  EXPECT_EQ(has("ExtText4"), 1);
  EXPECT_EQ(has("Repeat.DaysMask"), 1);
  EXPECT_EQ(has("Exceptions.Exception"), 2);
  EXPECT_EQ(has("Location"), 1);
  EXPECT_TRUE(v.prefix.empty());
}

}  // namespace
}  // namespace mirrin
