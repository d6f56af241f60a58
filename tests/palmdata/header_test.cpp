#include "palmdata/header.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "support/headerbuilder.h"

namespace mirrin {
namespace {

using test::FileBuilder;
using test::HeaderLayout;

// Reads a header followed by room for its records and writes it back.
Bytes Rewrite(const Bytes& header, DataContext& ctx, DatFileHeader* out = nullptr) {
  const Bytes data = header + Bytes(4096, '\0');
  ByteReader in(data);
  DatFileHeader h = ReadHeader(in, ctx);
  EXPECT_EQ(in.Position(), header.size());
  ByteWriter w;
  WriteHeader(w, h);
  if (out) *out = h;
  return w.Data();
}

TEST(Header, ClassicAndExtendedComeBackByteForByte) {
  for (bool extended : {false, true}) {
    for (const char* letters : {"DB", "BA", "DT"}) {
      HeaderLayout layout;
      layout.extended = extended;
      layout.letters = letters;
      layout.categories = {{1, 11, "Business"}, {5, 12, "Personal"}};
      layout.fieldTypes = {1, 1, 1, 3, 5};
      layout.records = 3;
      FileBuilder b;
      test::AppendHeader(b, layout);
      DataContext ctx;
      DatFileHeader h;
      EXPECT_EQ(Rewrite(b.Data(), ctx, &h), b.Data()) << extended << letters;
      EXPECT_EQ(h.IsExtended, extended);
      EXPECT_EQ(h.RecordCount, 3);
      ASSERT_EQ(h.Categories.size(), 3u);
      EXPECT_EQ(h.Categories[0].LongName, "Unfiled");
      EXPECT_EQ(h.Categories[2].Index, 5);
      EXPECT_EQ(h.Categories[2].LongName, "Personal");
      EXPECT_FALSE(ctx.unsupportedVersion);
      if (extended && std::string(letters) == "BA") {
        EXPECT_EQ(h.LabelText[4], "Label4");
      }
    }
  }
}

TEST(Header, DeletedCategoryIsNotWrittenAndCountsMustAgree) {
  HeaderLayout layout;
  layout.extended = true;
  layout.categories = {{1, 11, "Business"}, {2, 12, "Personal"}};
  layout.fieldTypes = {1};
  FileBuilder b;
  test::AppendHeader(b, layout);
  const Bytes bytes = b.Data();
  ByteReader in(bytes);
  DataContext ctx;
  DatFileHeader h = ReadHeader(in, ctx);
  h.Categories[1].Deleted = true;
  ByteWriter refused;
  EXPECT_THROW(WriteHeader(refused, h), RunError) << "count 2 with one live entry";
  h.CategoryCount = 1;
  ByteWriter w;
  WriteHeader(w, h);
  const Bytes written = w.Data();
  ByteReader again(written);
  const DatFileHeader back = ReadHeader(again, ctx);
  ASSERT_EQ(back.CategoryCount, 1);
  EXPECT_EQ(back.Categories[1].LongName, "Personal");
}

TEST(Header, RecordCountRoundsEntriesAndWritesThemBack) {
  // 1500 entries of 15 fields are 100 records; the builder's helper gives
  // entries = records * fields, so write the entry count by hand here.
  FileBuilder b;
  b.Hex("00 01 44 42").CString("f").CString("").Long(0).Long(0);
  b.Long(54).Long(15).Long(0).Long(1).Long(2).Short(15);
  for (int i = 0; i < 15; ++i) b.Short(1);
  b.Long(1500);
  const Bytes withRoom = b.Data() + Bytes(100 * 15 * 8, '\0');
  ByteReader in(withRoom);
  DataContext ctx;
  DatFileHeader h = ReadHeader(in, ctx);
  EXPECT_EQ(h.RecordCount, 100);
  ByteWriter w;
  WriteHeader(w, h);
  EXPECT_EQ(w.Data(), b.Data());
}

TEST(Header, UnknownVersionIsReadAsExtendedAndShownOnce) {
  HeaderLayout layout;
  layout.extended = true;
  layout.fieldTypes = {1};
  FileBuilder b;
  test::AppendHeader(b, layout);
  Bytes odd = b.Data();
  odd.replace(0, 4, test::HexBytes("00 03 44 54"));
  int shown = 0;
  DataContext ctx;
  ctx.showCritical = [&](const std::string& text, const std::string& title) {
    ++shown;
    EXPECT_EQ(title, "Mirrin 3.0.26");
    EXPECT_EQ(text.rfind("Mirrin has detected that you are using an unsupported version", 0), 0u);
  };
  EXPECT_EQ(Rewrite(odd, ctx), odd);
  EXPECT_EQ(Rewrite(odd, ctx), odd);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(ctx.unsupportedVersion);

  DataContext dev;
  dev.developmentMode = true;
  dev.showCritical = [&](const std::string&, const std::string&) { ++shown; };
  Rewrite(odd, dev);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(dev.unsupportedVersion);
}

TEST(Header, CountsThatCannotFitAreErrorsNotAllocations) {
  struct Case {
    const char* name;
    int categories;
    int fields;
    int entries;
    int expected;
  };
  for (const Case& c : {Case{"categories", 0x7FFFFFF0, 1, 0, err::InputPastEnd},
                        Case{"negative categories", -1, 1, 0, err::InputPastEnd},
                        Case{"fields", 0, 0xFFFF, 0, err::InputPastEnd},
                        Case{"no fields", 0, 0, 0, err::DivisionByZero}}) {
    FileBuilder b;
    b.Hex("00 01 44 42").CString("f").CString("").Long(0).Long(c.categories);
    b.Long(54).Long(1).Long(0).Long(1).Long(2).Short(static_cast<uint16_t>(c.fields));
    if (c.fields == 1) b.Short(1);
    b.Long(c.entries);
    const Bytes bytes = b.Data();
    ByteReader in(bytes);
    DataContext ctx;
    try {
      ReadHeader(in, ctx);
      ADD_FAILURE() << c.name;
    } catch (const RunError& e) {
      EXPECT_EQ(e.number(), c.expected) << c.name;
    }
  }
}

TEST(ExtPrefix, BlobRunsToTheEmptyStringFieldAndComesBack) {
  FileBuilder b;
  b.IntField(7).IntField(4096).IntField(0).IntField(0).IntField(1).IntField(2).BoolField(true);
  b.Long(64).Long(3).Raw("abc").Long(65).Long(0).Long(66).Long(2).Raw("xy");
  b.Long(65).Long(1).Hex("01 02 03 05 00 00");  // raw bytes, one resembling a tag
  b.CStringField("").CStringField("second");
  const Bytes bytes = b.Data();
  ByteReader in(bytes);
  CommonFields f;
  ReadExtPrefix(in, f);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(f.RecordId, 7);
  EXPECT_TRUE(f.Private);
  EXPECT_EQ(f.ExtText[0], "abc");
  EXPECT_EQ(f.ExtText[2], "xy");
  EXPECT_EQ(f.ExtBlob, test::HexBytes("01 02 03 05 00 00"));
  EXPECT_EQ(f.ExtString2, "second");
  ByteWriter w;
  WriteExtPrefix(w, f);
  EXPECT_EQ(w.Data(), bytes);
}

TEST(ExtPrefix, BlobWithoutEndAndBadLengthsAreErrors) {
  FileBuilder b;
  b.IntField(7).IntField(4096).IntField(0).IntField(0).IntField(1).IntField(2).BoolField(false);
  b.Long(64).Long(0).Long(65).Long(0).Long(66).Long(0).Long(65).Long(1).Hex("01 02 03");
  const Bytes truncated = b.Data();
  ByteReader in(truncated);
  CommonFields f;
  EXPECT_THROW(ReadExtPrefix(in, f), RunError);

  CommonFields mismatched;
  mismatched.ExtLength[1] = 5;
  mismatched.ExtText[1] = "abc";
  ByteWriter w;
  EXPECT_THROW(WriteExtPrefix(w, mismatched), RunError);
  EXPECT_EQ(w.Size(), 0u);
}

}  // namespace
}  // namespace mirrin
