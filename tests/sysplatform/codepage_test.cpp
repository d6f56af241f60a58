#include "sysplatform/codepage.h"

#include <gtest/gtest.h>

namespace mirrin {
namespace {

// Windows-1252: its 0x80-0x9F block is not Latin-1; every defined byte
// comes back, undefined ones and characters outside it become marks.
TEST(CodePage, Windows1252BothWays) {
  const CodePage cp(kDefaultCodePage);
  EXPECT_EQ(cp.ToUtf8("Ren\xE9"
                      "e M\xFCller \x80 \x85 \x99"),
            "Renée Müller € … ™");
  EXPECT_EQ(cp.FromUtf8("Renée Müller €"),
            "Ren\xE9"
            "e M\xFCller \x80");
  EXPECT_EQ(cp.FromUtf8("a\xE6\x97\xA5"
                        "b"),
            "a?b");                                     // 日: one mark, not three
  EXPECT_EQ(cp.FromUtf8("x\xF0\x9F\x98\x80y"), "x?y");  // an emoji
  EXPECT_EQ(cp.FromUtf8("bad \xC3 end"), "bad ? end");  // broken UTF-8
  EXPECT_EQ(cp.FromUtf8("cut \xC3"), "cut ?");          // cut off at the end
  int undefined = 0;
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = cp.ToUtf8(byte);
    if (utf8 == "\xEF\xBF\xBD") {
      ++undefined;  // 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character
      EXPECT_EQ(cp.FromUtf8(utf8), "?");
      continue;
    }
    EXPECT_EQ(cp.FromUtf8(utf8), byte) << "byte " << b;
  }
  EXPECT_LE(undefined, 5);
  // A long text of every defined byte survives in one piece, too.
  std::string all;
  for (int b = 1; b < 256 * 20; ++b) {
    const char byte = static_cast<char>(b % 256);
    if (byte != 0 && cp.ToUtf8(std::string(1, byte)) != "\xEF\xBF\xBD") all += byte;
  }
  EXPECT_EQ(cp.FromUtf8(cp.ToUtf8(all)), all);
}

TEST(CodePage, DoubleByteCodePage) {
  const CodePage cp("CP932");
  const std::string nihon = "\x93\xFA\x96\x7B";  // 日本 in Shift-JIS
  EXPECT_EQ(cp.ToUtf8(nihon + "abc"), "日本abc");
  EXPECT_EQ(cp.FromUtf8("日本abc"), nihon + "abc");
  EXPECT_EQ(cp.ToUtf8("a\x93"), "a\xEF\xBF\xBD");  // a lead byte without its trail byte
  // Where ASCII bytes start shift sequences, ASCII text is converted too.
  EXPECT_EQ(CodePage("UTF-7").ToUtf8("1+AGE-"), "1a");
}

}  // namespace
}  // namespace mirrin
