#include "mainwindow/pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "palmdata/errors.h"

namespace mirrin {
namespace {

bool Like(std::string_view text, std::string_view pattern) { return MatchesFilter(text, pattern, false); }

// The plain wildcards are covered by the random comparison below; these are
// the cases a regular expression would get wrong or that are easy to break.
TEST(Pattern, EdgeCases) {
  struct Case {
    const char* text;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      // An empty pattern lets everything through; "[]" takes no character; case matters.
      {"Dentist", "", true},
      {"Dentist", "[]", false},
      {"DENTIST", "d*", false},
      {"dentist", "[A-Z]*", false},
      // Special characters in brackets, or a lone "]", stand for themselves.
      {"a*b", "a[*]b", true},
      {"axb", "a[*]b", false},
      {"x]", "x]", true},
      {"[", "[[]", true},
      {"", "[!abc]", false},
      {"Q", "[a-zA-Z]", true},
      // "-" first or last stands for itself; so does "!" anywhere but first.
      {"-", "[-a]", true},
      {"-", "[a-]", true},
      {"b", "[a-]", false},
      {"-", "[a-c-]", true},
      {"!", "[a!]", true},
      {"!", "[!]", true},
      {"x", "[!]", false},
      {"x", "[!!]", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Like(c.text, c.pattern), c.matches) << "text '" << c.text << "' pattern '" << c.pattern << "'";
  }
}

TEST(Pattern, BadPatternRaisesError93WhateverTheText) {
  for (const char* bad : {"[abc", "x*[", "[z-a]", "a[9-0]b"}) {
    for (const char* text : {"", "abc"}) {
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
  EXPECT_TRUE(MatchesFilter(kanji + "x", "??x", false));
  EXPECT_TRUE(MatchesFilter(kanji, "[" + kanji + "]", true));
  EXPECT_FALSE(MatchesFilter("\x88\x40", "[" + kanji + "]", true));
  // The trail byte "[" of a double-byte character does not open a list.
  EXPECT_TRUE(MatchesFilter("\x83[", "\x83[", true));
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
