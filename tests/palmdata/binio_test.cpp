#include "palmdata/binio.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "palmdata/readtoend.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

using test::HexBytes;

TEST(CString, PrefixFormsByLength) {
  // 32768, the longest a reader accepts, is written back too (FF 00 80).
  for (size_t n : {0u, 1u, 254u, 255u, 300u, 32767u, 32768u}) {
    ByteWriter w;
    const Bytes text(n, 'x');
    w.WriteCString(text);
    Bytes prefix;
    if (n == 0)
      prefix = HexBytes("00");
    else if (n < 255)
      prefix = Bytes(1, static_cast<char>(n));
    else
      prefix = "\xFF" + Bytes{static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)};
    EXPECT_EQ(w.Data(), prefix + text) << n;
    ByteReader r(w.Data());
    EXPECT_EQ(r.ReadCString(), text) << n;
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(CString, TooLongWritesNothingAndTooLongReadFails) {
  ByteWriter w;
  w.WriteLong(7);
  EXPECT_THROW(w.WriteCStringField(Bytes(32769, 'a')), RunError);
  EXPECT_EQ(w.Size(), 4u) << "no partial field may be left behind";

  const Bytes badBytes = HexBytes("FF 01 80") + Bytes(32769, 'b');
  ByteReader bad(badBytes);
  try {
    bad.ReadCString();
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::Overflow);
  }
}

TEST(Reader, NeverReadsPastTheEnd) {
  for (const char* hex : {"05 41 42", "FF 10", "01 02 03"}) {
    const Bytes data = HexBytes(hex);
    ByteReader r(data);
    try {
      std::string(hex) == "01 02 03" ? (void)r.ReadLong() : (void)r.ReadCString();
      ADD_FAILURE() << hex;
    } catch (const RunError& e) {
      EXPECT_EQ(e.number(), err::InputPastEnd) << hex;
    }
  }
}

// Values are little-endian; one cut short still names its first missing byte.
TEST(Reader, ValuesAndTheFirstMissingByte) {
  const Bytes data = HexBytes("01 02 03 04 FE FF FF FF 0A 0B 0C");
  ByteReader r(data);
  EXPECT_EQ(r.ReadLong(), 0x04030201);
  EXPECT_EQ(r.ReadLong(), -2);
  EXPECT_EQ(r.ReadShort(), 0x0B0A);
  try {
    r.ReadLong();
    ADD_FAILURE() << "read past the end";
  } catch (const RunError& e) {
    EXPECT_EQ(e.detail(), "offset 11: 1 bytes needed, 0 left");
  }
}

// A file read whole may have grown since its size was taken; the limit holds either way.
TEST(Reader, WholeFileReadsToTheRealEndWithinTheLimit) {
  const auto readFrom = [](const std::string& source) {
    return [source, at = size_t{0}](char* into, size_t room) mutable {
      const size_t n = std::min(room, source.size() - at);
      source.copy(into, n, at);
      at += n;
      return n;
    };
  };
  const std::string grown(10000, 'g');
  EXPECT_EQ(ReadToEnd("f", 6, 20000, readFrom(grown)), grown);
  EXPECT_EQ(ReadToEnd("f", 6, 20000, readFrom("shrunk")), "shrunk");
  EXPECT_EQ(ReadToEnd("f", 10, 20000, readFrom("short")), "short");
  for (const uint64_t said : {uint64_t{6}, uint64_t{10000}}) {
    try {
      ReadToEnd("f", said, 9999, readFrom(grown));
      ADD_FAILURE() << said;
    } catch (const RunError& e) {
      EXPECT_NE(e.detail().find("more than the 9999 allowed"), std::string::npos) << e.detail();
    }
  }
}

TEST(DateField, StoredValueComesBackUnlessChanged) {
  const TimeZoneInfo utc;
  const Bytes dates = HexBytes("03000000 FFFFFFFF 01000000 80510100 03000000 00000080");
  ByteReader r(dates);
  const PalmDate none = r.ReadDateField(utc);
  EXPECT_EQ(none.value, kUnixEpochDay) << "top byte FF reads as the start of 1970";
  const PalmDate day = r.ReadDateField(utc);
  EXPECT_EQ(day.value, kUnixEpochDay + 1);
  const PalmDate late = r.ReadDateField(utc);
  EXPECT_EQ(late.value, kUnixEpochDay + 2147483648.0 / 86400.0) << "read as unsigned";

  ByteWriter w;
  w.WriteDateField(none, utc);
  PalmDate moved = day;
  moved.value += 1;
  w.WriteDateField(moved, utc);
  w.WriteDateField(PalmDate::Local(kUnixEpochDay), utc);
  w.WriteDateField(PalmDate::Local(late.value), utc);
  EXPECT_EQ(w.Data(), HexBytes("03000000 FFFFFFFF 03000000 00A30200 03000000 00000000 03000000 00000080"));
}

}  // namespace
}  // namespace mirrin
