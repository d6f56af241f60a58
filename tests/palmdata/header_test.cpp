// Headers the golden samples do not hold: unknown versions, counts that
// cannot fit, and a category table a writer must refuse.
#include "palmdata/header.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "support/headerbuilder.h"

namespace mirrin {
namespace {

using test::FileBuilder;

TEST(Header, UnknownVersionIsReadAsExtendedAndShownOnce) {
  FileBuilder b;
  test::AppendHeader(b, test::HeaderLayout{"DB", true, {}, {1}, 0});
  Bytes odd = b.Data();
  odd.replace(0, 4, test::HexBytes("00 03 44 54"));
  int shown = 0;
  auto rewrite = [&](DataContext& ctx) {
    ByteReader in(odd);
    ByteWriter w;
    WriteHeader(w, ReadHeader(in, ctx));
    EXPECT_EQ(w.Data(), odd);
  };
  DataContext ctx;
  ctx.notify = [&](DataNotice notice, const std::string&) {
    ++shown;
    EXPECT_EQ(notice, DataNotice::UnsupportedVersion);
  };
  rewrite(ctx);
  rewrite(ctx);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(ctx.unsupportedVersion) << "nothing may be saved";
  DataContext dev;
  dev.developmentMode = true;
  dev.notify = ctx.notify;
  rewrite(dev);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(dev.unsupportedVersion);
}

TEST(Header, CountsThatCannotFitAreErrorsNotAllocations) {
  struct Case {
    int categories;
    int fields;
    int expected;
  };
  for (const Case& c : {Case{0x7FFFFFF0, 1, err::InputPastEnd}, Case{-1, 1, err::InputPastEnd},
                        Case{0, 0xFFFF, err::InputPastEnd}, Case{0, 0, err::DivisionByZero}}) {
    FileBuilder b;
    b.Hex("00 01 44 42").CString("f").CString("").Long(0).Long(c.categories);
    b.Long(54).Long(1).Long(0).Long(1).Long(2).Short(static_cast<uint16_t>(c.fields));
    if (c.fields == 1) b.Short(1);
    b.Long(0);
    ByteReader in(b.Data());
    DataContext ctx;
    try {
      ReadHeader(in, ctx);
      ADD_FAILURE() << c.categories << " categories, " << c.fields << " fields";
    } catch (const RunError& e) {
      EXPECT_EQ(e.number(), c.expected) << c.categories << " categories, " << c.fields << " fields";
    }
  }
}

TEST(Header, WriterRefusesACountThatDisagreesWithTheTable) {
  FileBuilder b;
  test::AppendHeader(b, test::HeaderLayout{"DB", true, {{1, 11, "Business"}, {2, 12, "Personal"}}, {1}, 0});
  ByteReader in(b.Data());
  DataContext ctx;
  DatFileHeader h = ReadHeader(in, ctx);
  h.Categories.erase(h.Categories.begin() + 1);
  ByteWriter refused;
  EXPECT_THROW(WriteHeader(refused, h), RunError) << "count 2 with one entry";
  h.CategoryCount = 1;
  ByteWriter w;
  WriteHeader(w, h);
  ByteReader again(w.Data());
  const DatFileHeader back = ReadHeader(again, ctx);
  ASSERT_EQ(back.CategoryCount, 1);
  EXPECT_EQ(back.Categories[1].LongName, "Personal");
}

TEST(ExtPrefix, RawBytesWithoutTheirEndAreAnError) {
  FileBuilder b;
  b.IntField(7).IntField(4096).IntField(0).IntField(0).IntField(1).IntField(2).BoolField(false);
  b.Long(64).Long(0).Long(65).Long(0).Long(66).Long(0).Long(65).Long(1).Hex("01 02 03 05 00 00 00 00 00");
  ByteReader in(b.Data());
  CommonFields f;
  EXPECT_THROW(ReadExtPrefix(in, f), RunError);
}

}  // namespace
}  // namespace mirrin
