#include "palmdata/addressfile.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "support/headerbuilder.h"

namespace mirrin {
namespace {

using test::FileBuilder;
using test::HeaderLayout;

const std::string kPath = "C:\\Palm\\UserA\\address\\address.dat";

HeaderLayout AddressSpec(bool extended, int records) {
  HeaderLayout layout;
  layout.letters = "BA";
  layout.extended = extended;
  layout.categories = {{1, 21, "Business"}, {3, 22, "QuickList"}};
  if (extended) {
    layout.fieldTypes.assign(73, 5);
  } else {
    layout.fieldTypes = {1, 1, 1, 5, 5, 5, 5, 1, 5, 1, 5, 1, 5, 1, 5, 1,
                       5, 5, 5, 5, 5, 5, 5, 6, 1, 5, 5, 5, 5, 1};
  }
  layout.records = records;
  return layout;
}

// A classic contact: phones labelled 0 to 4 with a value only in the first.
void AppendClassicContact(FileBuilder& b, int id, const std::string& last) {
  b.IntField(id).IntField(2).IntField(7);
  b.CStringField(last).CStringField("Ann").CStringField("Dr").CStringField("Acme");
  for (int i = 0; i < 5; ++i) b.IntField(i).CStringField(i == 0 ? "555-0100" : "");
  b.CStringField("1 Main St").CStringField("Springfield").CStringField("IL").CStringField("62701");
  b.CStringField("USA").CStringField("note\r\nline 2").BoolField(true).IntField(3);
  b.CStringField("c0").CStringField("").CStringField("").CStringField("c3 \xE9");
  b.IntField(4);
}

// An extended contact after its prefix, every field set to a telling value.
void AppendExtendedContact(FileBuilder& b, int id, int row) {
  test::AppendExtPrefix(b, id, 0, 1, false, 4096 + row, row * 73);
  b.CStringField("Ann").CStringField("Lee").CStringField("Dr").CStringField("Acme");
  b.IntField(2).CStringField("");
  for (int i = 0; i < 7; ++i) b.CStringField("phone" + std::to_string(i));
  for (int i = 0; i < 7; ++i) b.IntField(7 - i);
  for (int i = 0; i < 9; ++i) b.CStringField(i == 8 ? "custom8" : "");
  for (int a = 0; a < 3; ++a) {
    const std::string n = std::to_string(a);
    b.IntField(a).CStringField("street" + n).CStringField("city" + n).CStringField("");
    b.CStringField("zip" + n).CStringField("country" + n);
  }
  b.CStringField("ann@im").CStringField("").IntField(1).IntField(4).CStringField("example.org");
  b.Hex("44 00 00 00 05 00 00 00 FF FF FF FF");
  b.BoolField(true).IntField(-3).IntField(99);
  b.CStringField("s3").CStringField("").CStringField("").CStringField(std::string(300, 'x'));
}

Bytes ClassicFile(int records) {
  FileBuilder b;
  test::AppendHeader(b, AddressSpec(false, records));
  for (int i = 0; i < records; ++i) AppendClassicContact(b, 100 + i, "Lee" + std::to_string(i));
  return b.Data();
}

Bytes ExtendedFile(int records) {
  FileBuilder b;
  test::AppendHeader(b, AddressSpec(true, records));
  for (int i = 0; i < records; ++i) AppendExtendedContact(b, 200 + i, i);
  return b.Data();
}

struct Parsed {
  DatFileHeader header;
  std::vector<ContactRecord> records;
};

Parsed Parse(const Bytes& data) {
  Parsed p;
  DataContext ctx;
  ParseAddressFile(data, kPath, p.header, p.records, ctx);
  return p;
}

Bytes Rebuild(Parsed& p) { return BuildAddressFile(p.header, p.records, DataContext{}); }

TEST(AddressFile, ClassicContactDecodesAndComesBackByteForByte) {
  const Bytes data = ClassicFile(2);
  Parsed p = Parse(data);
  EXPECT_FALSE(p.header.IsExtended);
  ASSERT_EQ(p.records.size(), 2u);
  const ContactRecord& c = p.records[1];
  EXPECT_EQ(c.RecordId, 101);
  EXPECT_EQ(c.Status, 2);
  EXPECT_EQ(c.Position, 7);
  EXPECT_EQ(c.LastName, "Lee1");
  EXPECT_EQ(c.FirstName, "Ann");
  EXPECT_EQ(c.Title, "Dr");
  EXPECT_EQ(c.Company, "Acme");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(c.Phones[i].Label, i);
  EXPECT_EQ(c.Phones[0].Value, "555-0100");
  EXPECT_EQ(c.Phones[4].Value, "");
  EXPECT_EQ(c.Addresses[0].Street, "1 Main St");
  EXPECT_EQ(c.Addresses[0].Country, "USA");
  EXPECT_EQ(c.Note, "note\r\nline 2");
  EXPECT_TRUE(c.Private);
  EXPECT_EQ(c.Category, 3);
  EXPECT_EQ(c.CustomFields[0], "c0");
  EXPECT_EQ(c.CustomFields[3], "c3 \xE9");
  EXPECT_EQ(c.DisplayPhone, 4);
  EXPECT_EQ(c.ExtRowId, 0);
  EXPECT_EQ(Rebuild(p), data);
}

TEST(AddressFile, ClassicLayoutNeverWritesTheExtendedOnlyFields) {
  Parsed p = Parse(ClassicFile(1));
  const Bytes original = Rebuild(p);
  ContactRecord& c = p.records[0];
  c.Phones[6] = {7, "seventh"};
  c.CustomFields[8] = "ninth";
  c.Addresses[1].City = "second";
  c.Website = "example.org";
  EXPECT_EQ(Rebuild(p), original);
}

TEST(AddressFile, ExtendedContactDecodesAndComesBackByteForByte) {
  const Bytes data = ExtendedFile(3);
  Parsed p = Parse(data);
  EXPECT_TRUE(p.header.IsExtended);
  EXPECT_EQ(p.header.LabelText[2], "Label2");
  ASSERT_EQ(p.records.size(), 3u);
  const ContactRecord& c = p.records[2];
  EXPECT_EQ(c.RecordId, 202);
  EXPECT_EQ(c.Category, 1);
  EXPECT_EQ(c.ExtRowId, 4098);
  // The extended layout stores the first name before the last name.
  EXPECT_EQ(c.FirstName, "Ann");
  EXPECT_EQ(c.LastName, "Lee");
  EXPECT_EQ(c.DisplayPhone, 2);
  EXPECT_EQ(c.Phones[6].Value, "phone6");
  EXPECT_EQ(c.Phones[6].Label, 1);
  EXPECT_EQ(c.Phones[0].Label, 7);
  EXPECT_EQ(c.CustomFields[8], "custom8");
  EXPECT_EQ(c.Addresses[2].Label, 2);
  EXPECT_EQ(c.Addresses[2].Zip, "zip2");
  EXPECT_EQ(c.Addresses[1].Country, "country1");
  EXPECT_EQ(c.InstantMessage1, "ann@im");
  EXPECT_EQ(c.IMLabel2, 4);
  EXPECT_EQ(c.Website, "example.org");
  EXPECT_EQ(c.ExtPair1, 5);
  EXPECT_EQ(c.ExtPair2, -1);
  EXPECT_TRUE(c.ExtFlag);
  EXPECT_EQ(c.ExtNumber1, -3);
  EXPECT_EQ(c.ExtNumber2, 99);
  EXPECT_EQ(c.ExtString3, "s3");
  EXPECT_EQ(c.ExtString6, std::string(300, 'x'));
  EXPECT_EQ(Rebuild(p), data);
}

TEST(AddressFile, ExtendedWriteRenumbersRowsAndWritesTheLongPairTag) {
  Parsed p = Parse(ExtendedFile(2));
  p.records[0].ExtRowId = 1;
  p.records[1].ExtFieldBase = 5;
  p.records[1].ExtPair1 = 5;
  p.records[1].ExtPair2 = -1;
  const Bytes built = Rebuild(p);
  EXPECT_EQ(p.records[1].ExtRowId, 4097);
  EXPECT_EQ(p.records[1].ExtFieldBase, 73);
  EXPECT_NE(built.find(test::HexBytes("44 00 00 00 05 00 00 00 FF FF FF FF 06 00 00 00")),
            std::string::npos);
  EXPECT_EQ(built, ExtendedFile(2));
}

TEST(AddressFile, TruncatedFileNamesTheRecordAndContact) {
  const Bytes data = ExtendedFile(2);
  const size_t headerSize = ExtendedFile(0).size();
  const size_t secondRecord = headerSize + (data.size() - headerSize) / 2;
  // Cut inside the second contact's phone values: after its names were read.
  const Bytes cut = data.substr(0, data.find("phone3", secondRecord));
  try {
    Parse(cut);
    FAIL() << "a truncated file must not read";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::InputPastEnd);
    EXPECT_EQ(e.where(), "ReadAddressFile " + kPath + ",1");
    EXPECT_NE(e.detail().find("Dr Ann Lee, Acme n"), std::string::npos) << e.detail();
    EXPECT_EQ(e.detail().find(" pc"), std::string::npos) << e.detail();
  }
  // Every shorter file fails cleanly too, classic and extended.
  for (const Bytes& whole : {data, ClassicFile(2)}) {
    for (size_t n = 0; n < whole.size(); n += 7) {
      EXPECT_THROW(Parse(whole.substr(0, n)), RunError) << n;
    }
  }
}

TEST(AddressFile, CountsThatCannotFitAreRefused) {
  FileBuilder b;
  test::AppendHeader(b, AddressSpec(false, 1000000));
  AppendClassicContact(b, 1, "Lee");
  try {
    Parse(b.Data());
    FAIL() << "a million records cannot fit";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::InputPastEnd);
    EXPECT_EQ(e.where(), "ReadAddressFile " + kPath + ",0");
  }
  // A last name claiming 4096 bytes where 300 are left.
  FileBuilder longName;
  test::AppendHeader(longName, AddressSpec(false, 1));
  longName.IntField(1).IntField(0).IntField(0).Long(5).Long(0).Hex("FF 00 10").Zeros(300);
  try {
    Parse(longName.Data());
    FAIL() << "the name cannot fit";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::InputPastEnd);
    EXPECT_EQ(e.where(), "ReadAddressFile " + kPath + ",0");
  }
}

TEST(AddressFile, MissingFileEmptiesTheStoreAndWrittenFileReadsBack) {
  test::TempDir dir;
  DataContext ctx;
  Parsed p = Parse(ExtendedFile(2));
  DatFileHeader header = p.header;
  std::vector<ContactRecord> records = p.records;
  ReadAddressFile(2, dir.File("missing.dat"), header, records, ctx);
  EXPECT_TRUE(records.empty());
  EXPECT_FALSE(header.IsExtended);
  EXPECT_TRUE(header.IsAddressFile());
  EXPECT_EQ(header.FieldCount, 30);

  const std::string path = dir.File("address.dat");
  WriteAddressFile(2, path, p.header, p.records, ctx);
  EXPECT_EQ(test::ReadFileBytes(path), ExtendedFile(2));
  std::vector<ContactRecord> back;
  ReadAddressFile(1, path, header, back, ctx);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].Website, "example.org");
}

}  // namespace
}  // namespace mirrin
