#include "mainwindow/textutil.h"

#include <gtest/gtest.h>

namespace mirrin {
namespace {

// Shift-JIS style text: two double-byte characters around an ASCII one.
const std::string kMixed =
    "\x82\xA0"
    "a"
    "\x82\xA2";

TEST(TextUtil, LeadByteAbove128TakesItsTrailByteOnlyWithDbcs) {
  EXPECT_EQ(CharCount(kMixed, true), 3u);
  EXPECT_EQ(CharCount(kMixed, false), 5u);
  // 128 itself is not a lead byte.
  EXPECT_EQ(CharCount("\x80\x41", true), 2u);
  EXPECT_EQ(CharCount("\x81\x41", true), 1u);
  // A lead byte at the very end counts alone.
  EXPECT_EQ(CharCount("ab\x81", true), 3u);

  EXPECT_EQ(CharCodes(kMixed, true), (std::vector<unsigned>{0x82A0, 'a', 0x82A2}));
  EXPECT_EQ(CharCodes(std::string("\x81\x00"
                                  "b\x90",
                                  4),
                      true),
            (std::vector<unsigned>{0x8100, 'b', 0x90}));
}

TEST(TextUtil, CharCodeAtCountsCharactersNotBytes) {
  EXPECT_EQ(CharCodeAt(kMixed, 3, true), 0x82A2u);
  EXPECT_EQ(CharCodeAt(kMixed, 4, false), 0x82u);
  EXPECT_EQ(CharCodeAt(kMixed, 4, true), std::nullopt);
}

TEST(TextUtil, LeftMidAndPadNeverSplitADoubleByteCharacter) {
  EXPECT_EQ(LeftChars(kMixed, 1, true), "\x82\xA0");
  EXPECT_EQ(LeftChars(kMixed, 1, false), "\x82");

  EXPECT_EQ(MidChars(kMixed, 3, std::string_view::npos, true), "\x82\xA2");
  EXPECT_EQ(MidChars(kMixed, 2, 100, false),
            "\xA0"
            "a\x82\xA2");
  EXPECT_EQ(MidChars(kMixed, 4, 1, true), "");

  EXPECT_EQ(PadChars(kMixed, 4, true), kMixed + " ");
  EXPECT_EQ(PadChars(kMixed, 2, true),
            "\x82\xA0"
            "a");
  EXPECT_EQ(CharCount(PadChars(kMixed, 16, true), true), 16u);
}

TEST(TextUtil, TrimRemovesOnlySpaces) {
  EXPECT_EQ(Trim("  Dentist \t  ", false), "Dentist \t");
  // With DBCS a space after a lead byte is its trail byte and stays.
  EXPECT_EQ(Trim("caf\xE9 ", true), "caf\xE9 ");
  EXPECT_EQ(Trim("caf\xE9 ", false), "caf\xE9");
  EXPECT_EQ(Trim("caf\xE9  ", true), "caf\xE9 ");
}

TEST(TextUtil, FindTextMatchesOnlyWholeCharacters) {
  EXPECT_EQ(FindText("Lunch [Agendus]", "[", 0, false), 6u);
  EXPECT_EQ(FindText("a\r\nb\r\n", "\r\n", 2, false), 4u);
  EXPECT_EQ(FindText("abc", "", 1, false), 1u);
  EXPECT_EQ(FindText("abc", "c", 4, false), std::string_view::npos);
  // 0x5B ("[") as the trail byte of a double-byte character is not a bracket.
  const std::string trail = "\x83[x[";
  EXPECT_EQ(FindText(trail, "[", 0, false), 1u);
  EXPECT_EQ(FindText(trail, "[", 0, true), 3u);
  // A lead byte searched alone does not match the start of a double-byte character.
  EXPECT_EQ(FindText("\x82\xA0\x82", "\x82", 0, true), 2u);
  EXPECT_EQ(FindText("\x82\xA0", "\x82", 0, true), std::string_view::npos);
}

}  // namespace
}  // namespace mirrin
