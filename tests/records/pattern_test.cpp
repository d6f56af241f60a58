#include "records/pattern.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <regex>
#include <string>

#include "palmdata/errors.h"

namespace mirrin {
namespace {

bool Like(std::string_view text, std::string_view pattern) { return MatchesFilter(text, pattern, false); }

TEST(Pattern, EmptyPatternLetsEverythingThrough) {
  EXPECT_TRUE(Like("", ""));
  EXPECT_TRUE(Like("Dentist", ""));
  EXPECT_FALSE(Like("Dentist", "[]"));
  EXPECT_TRUE(Like("", "*"));
  EXPECT_FALSE(Like("", "?"));
}

TEST(Pattern, WildcardsAndDigits) {
  EXPECT_TRUE(Like("Dentist", "Dent*"));
  EXPECT_TRUE(Like("Dentist", "*tist"));
  EXPECT_TRUE(Like("Dentist", "D?nt*t"));
  EXPECT_FALSE(Like("Dentist", "Dent"));
  EXPECT_FALSE(Like("Dentist", "?entis"));
  EXPECT_TRUE(Like("Room 12", "Room ##"));
  EXPECT_FALSE(Like("Room 1a", "Room ##"));
  EXPECT_TRUE(Like("a*b", "a[*]b"));
  EXPECT_FALSE(Like("axb", "a[*]b"));
  EXPECT_TRUE(Like("50%!", "##%!"));
  EXPECT_TRUE(Like("x]", "x]"));
}

TEST(Pattern, IsCaseSensitive) {
  EXPECT_FALSE(Like("dentist", "Dentist"));
  EXPECT_FALSE(Like("DENTIST", "d*"));
  EXPECT_TRUE(Like("Dentist", "[A-Z]*"));
  EXPECT_FALSE(Like("dentist", "[A-Z]*"));
}

TEST(Pattern, CharacterListsAndRanges) {
  EXPECT_TRUE(Like("b", "[abc]"));
  EXPECT_FALSE(Like("d", "[abc]"));
  EXPECT_TRUE(Like("d", "[!abc]"));
  EXPECT_FALSE(Like("a", "[!abc]"));
  EXPECT_FALSE(Like("", "[!abc]"));
  EXPECT_TRUE(Like("q7", "[a-z][0-9]"));
  EXPECT_TRUE(Like("Q", "[a-zA-Z]"));
  EXPECT_FALSE(Like("5", "[!0-9]"));
  // "-" first or last stands for itself; so does "!" anywhere but first.
  EXPECT_TRUE(Like("-", "[-a]"));
  EXPECT_TRUE(Like("-", "[a-]"));
  EXPECT_FALSE(Like("b", "[a-]"));
  EXPECT_TRUE(Like("-", "[a-c-]"));
  EXPECT_TRUE(Like("!", "[a!]"));
  EXPECT_TRUE(Like("!", "[!]"));
  EXPECT_FALSE(Like("x", "[!]"));
  EXPECT_TRUE(Like("x", "[!!]"));
  EXPECT_TRUE(Like("[", "[[]"));
  // "[]" takes no character.
  EXPECT_TRUE(Like("ab", "a[]b"));
}

TEST(Pattern, BadPatternRaisesError93WhateverTheText) {
  for (const char* bad : {"[abc", "x*[", "[z-a]", "a[9-0]b"}) {
    for (const char* text : {"", "zzz", "abc"}) {
      try {
        Like(text, bad);
        ADD_FAILURE() << bad << " accepted";
      } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 93) << bad;
        EXPECT_EQ(e.description(), "Invalid pattern string");
      }
    }
  }
}

TEST(Pattern, DoubleByteCharacterIsOneCharacter) {
  const std::string kanji = "\x88\x9F";
  EXPECT_TRUE(MatchesFilter(kanji + "x", "?x", true));
  EXPECT_FALSE(MatchesFilter(kanji + "x", "?x", false));
  EXPECT_TRUE(MatchesFilter(kanji + "x", "??x", false));
  EXPECT_TRUE(MatchesFilter(kanji, "[" + kanji + "]", true));
  EXPECT_FALSE(MatchesFilter("\x88\x40", "[" + kanji + "]", true));
  // The trail byte "[" of a double-byte character does not open a list.
  EXPECT_TRUE(MatchesFilter("\x83[", "\x83[", true));
}

TEST(Pattern, ManyStarsDoNotTakeExponentialTime) {
  const std::string text(20000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(Like(text, "*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(Like(text + "b", "*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_FALSE(Like(text, "**********?b"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Random patterns over a small alphabet, checked against the same pattern
// written as a regular expression.
TEST(Pattern, AgreesWithRegularExpressionsOnRandomInput) {
  std::mt19937 rng(20240131);
  const char* pieces[] = {"a", "b", "1", "*", "?", "#", "[ab]", "[!a]", "[0-9]", "[]"};
  const char* regexes[] = {"a", "b", "1", ".*", ".", "[0-9]", "[ab]", "[^a]", "[0-9]", ""};
  for (int round = 0; round < 500; ++round) {
    std::string pattern, regex;
    for (int n = 1 + rng() % 6; n > 0; --n) {
      const size_t k = rng() % std::size(pieces);
      pattern += pieces[k];
      regex += regexes[k];
    }
    std::string text;
    for (int n = rng() % 9; n > 0; --n) text += "ab1x"[rng() % 4];
    EXPECT_EQ(Like(text, pattern), std::regex_match(text, std::regex(regex)))
        << "text " << text << " pattern " << pattern;
  }
}

}  // namespace
}  // namespace mirrin
