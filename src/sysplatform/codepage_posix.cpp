#include "sysplatform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "palmdata/errors.h"

namespace mirrin {

namespace {

const iconv_t kFailed =
    reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr): iconv_open says so
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The bytes of the UTF-8 character at `at`, so that an unconvertible
// character is skipped whole; a broken one ends where its continuation
// bytes end.
size_t Utf8CharLength(const char* at, size_t left) {
  const auto lead = static_cast<unsigned char>(at[0]);
  const size_t want = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  size_t n = 1;
  while (n < want && n < left && (static_cast<unsigned char>(at[n]) & 0xC0) == 0x80) ++n;
  return n;
}

size_t OneByte(const char*, size_t) { return 1; }

// Runs iconv over all of `in`; at a sequence it cannot convert, appends
// `substitute` and goes on after the `skip(at, left)` bytes there.
std::string Convert(void* handle, std::string_view in, std::string_view substitute,
                    size_t (*skip)(const char*, size_t)) {
  iconv_t cd = static_cast<iconv_t>(handle);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  std::string out;
  char buffer[1024];
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t done = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (done != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (cut off at the end): replace and step over it.
    out += substitute;
    const size_t n = std::min(srcLeft, skip(src, srcLeft));
    src += n;
    srcLeft -= n;
  }
  char* dst = buffer;
  size_t dstLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);  // any closing shift sequence
  out.append(buffer, static_cast<size_t>(dst - buffer));
  return out;
}

}  // namespace

CodePage::CodePage(std::string name) : name_(std::move(name)) {
  iconv_t to = iconv_open("UTF-8", name_.c_str());
  iconv_t from = iconv_open(name_.c_str(), "UTF-8");
  if (to == kFailed || from == kFailed) {
    if (to != kFailed) iconv_close(to);
    if (from != kFailed) iconv_close(from);
    throw RunError(err::InvalidCall, "unknown code page " + name_);
  }
  toUtf8_ = to;
  fromUtf8_ = from;
  // Most texts are plain ASCII and need no conversion when the code page
  // keeps ASCII as it is. Every pair of ASCII bytes is tried, so a page whose
  // ASCII bytes start shift sequences (HZ, UTF-7, ISO-2022) takes no shortcut.
  std::string pairs;
  pairs.reserve(size_t{2} * 128 * 128);
  for (int a = 0; a < 128; ++a) {
    for (int b = 0; b < 128; ++b) {
      pairs += static_cast<char>(a);
      pairs += static_cast<char>(b);
    }
  }
  asciiKept_ = Convert(toUtf8_, pairs, kReplacement, OneByte) == pairs;
}

CodePage::~CodePage() {
  iconv_close(static_cast<iconv_t>(toUtf8_));
  iconv_close(static_cast<iconv_t>(fromUtf8_));
}

std::string CodePage::Converted(std::string_view bytes) const {
  return Convert(toUtf8_, bytes, kReplacement, OneByte);
}

std::string CodePage::FromUtf8(std::string_view utf8) const {
  return Convert(fromUtf8_, utf8, "?", Utf8CharLength);
}

std::string DefaultCodePageName() { return kDefaultCodePage; }

}  // namespace mirrin
