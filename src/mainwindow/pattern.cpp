#include "mainwindow/pattern.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "palmdata/errors.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

constexpr int kInvalidPattern = 93;

struct Token {
  enum Kind { Literal, AnyChar, Digit, List, Star } kind = Literal;
  unsigned code = 0;                                  // Literal
  bool negated = false;                               // List
  std::vector<std::pair<unsigned, unsigned>> ranges;  // List: inclusive ends

  bool Accepts(unsigned c) const {
    switch (kind) {
      case Literal:
        return c == code;
      case AnyChar:
        return true;
      case Digit:
        return c >= '0' && c <= '9';
      case List:
        return std::any_of(ranges.begin(), ranges.end(),
                           [c](const auto& r) { return c >= r.first && c <= r.second; }) != negated;
      case Star:
        break;
    }
    return false;
  }
};

[[noreturn]] void Invalid(std::string_view pattern) {
  throw RunError(kInvalidPattern, "Invalid pattern string", std::string(pattern));
}

// Parses the whole pattern first, so a bad pattern fails on every text.
std::vector<Token> Compile(std::string_view pattern, bool dbcs) {
  const std::vector<unsigned> p = CharCodes(pattern, dbcs);
  std::vector<Token> tokens;
  for (size_t i = 0; i < p.size(); ++i) {
    Token t;
    if (p[i] == '*') {
      if (!tokens.empty() && tokens.back().kind == Token::Star) continue;
      t.kind = Token::Star;
    } else if (p[i] == '?') {
      t.kind = Token::AnyChar;
    } else if (p[i] == '#') {
      t.kind = Token::Digit;
    } else if (p[i] == '[') {
      size_t close = i + 1;
      while (close < p.size() && p[close] != ']') ++close;
      if (close == p.size()) Invalid(pattern);
      size_t k = i + 1;
      i = close;
      if (k == close) continue;  // "[]" consumes nothing
      t.kind = Token::List;
      if (p[k] == '!' && k + 1 < close) {
        t.negated = true;
        ++k;
      }
      for (; k < close; ++k) {
        // "x-y" is a range unless the "-" is the list's last character.
        const bool range = k + 2 < close && p[k + 1] == '-';
        const unsigned low = p[k], high = range ? p[k + 2] : p[k];
        if (high < low) Invalid(pattern);
        t.ranges.emplace_back(low, high);
        if (range) k += 2;
      }
    } else {
      t.code = p[i];
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

}  // namespace

bool MatchesFilter(std::string_view text, std::string_view pattern, bool dbcs) {
  if (pattern.empty()) return true;
  const std::vector<Token> tokens = Compile(pattern, dbcs);
  const std::vector<unsigned> s = CharCodes(text, dbcs);
  // Every token but "*" takes exactly one character, so remembering only the
  // latest "*" and letting it swallow one more character on a mismatch finds
  // a match if there is one, in at most characters x tokens steps.
  size_t ti = 0, si = 0;
  size_t starToken = tokens.size(), starText = 0;
  while (si < s.size()) {
    if (ti < tokens.size() && tokens[ti].kind == Token::Star) {
      starToken = ti++;
      starText = si;
    } else if (ti < tokens.size() && tokens[ti].Accepts(s[si])) {
      ++ti;
      ++si;
    } else if (starToken < tokens.size()) {
      ti = starToken + 1;
      si = ++starText;
    } else {
      return false;
    }
  }
  while (ti < tokens.size() && tokens[ti].kind == Token::Star) ++ti;
  return ti == tokens.size();
}

}  // namespace mirrin
