#include "mainwindow/format.h"

#include <cctype>
#include <charconv>

#include "palmdata/palmtime.h"

namespace mirrin {

namespace {

// n written with at least `width` digits, as printf's "%0*d" does. Every
// row and every window test writes dates: this stays clear of printf.
void AppendNumber(std::string& out, int n, int width) {
  char digits[16];
  int k = 0;
  unsigned u = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
  do {
    digits[k++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (n < 0) {
    out += '-';
    --width;
  }
  for (int pad = width - k; pad > 0; --pad) out += '0';
  while (k > 0) out += digits[--k];
}

// Whether picture continues at i with field (lower case), letter case ignored.
bool FieldAt(std::string_view picture, size_t i, std::string_view field) {
  if (picture.size() - i < field.size()) return false;
  for (size_t k = 0; k < field.size(); ++k) {
    const char c = picture[i + k];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != field[k]) return false;
  }
  return true;
}

// A run of 1 to maxDigits decimal digits at the front of text, consumed.
std::optional<int> TakeNumber(std::string_view& text, size_t maxDigits, size_t& digits) {
  digits = 0;
  while (digits < text.size() && digits <= maxDigits &&
         std::isdigit(static_cast<unsigned char>(text[digits]))) {
    ++digits;
  }
  if (digits == 0 || digits > maxDigits) return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + digits, value);
  text.remove_prefix(digits);
  return value;
}

}  // namespace

std::string FormatDate(double date, std::string_view picture) {
  std::string out;
  out.reserve(picture.size() + 2);
  AppendDate(out, SplitDate(date), picture);
  return out;
}

void AppendDate(std::string& out, const CivilDateTime& c, std::string_view picture) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  bool afterHour = false;
  for (size_t i = 0; i < picture.size();) {
    // A character no field starts with is copied without trying each field.
    const char first = static_cast<char>(picture[i] | 0x20);
    if (first != 'y' && first != 'm' && first != 'd' && first != 'h') {
      out += picture[i++];
      continue;
    }
    if (FieldAt(picture, i, "yyyy")) {
      AppendNumber(out, c.year, 4);
      i += 4;
    } else if (FieldAt(picture, i, "yy")) {
      AppendNumber(out, c.year % 100, 2);
      i += 2;
    } else if (FieldAt(picture, i, "mmm")) {
      out += kMonths[c.month - 1];
      i += 3;
    } else if (FieldAt(picture, i, "mm")) {
      AppendNumber(out, afterHour ? c.minute : c.month, 2);
      i += 2;
    } else if (FieldAt(picture, i, "dd")) {
      AppendNumber(out, c.day, 2);
      i += 2;
    } else if (FieldAt(picture, i, "hh")) {
      AppendNumber(out, c.hour, 2);
      i += 2;
      afterHour = true;
      continue;
    } else {
      out += picture[i++];
      continue;
    }
    afterHour = false;
  }
}

std::string FormatNumber(int64_t value, std::string_view picture) {
  size_t minDigits = 0;
  const size_t firstZero = picture.find('0');
  if (firstZero != std::string_view::npos) {
    for (size_t i = firstZero; i < picture.size(); ++i) minDigits += picture[i] == '0' || picture[i] == '#';
  }
  // Magnitude as unsigned so the most negative value has one too.
  const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = magnitude == 0 ? "" : std::to_string(magnitude);
  if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

std::optional<double> ParseDayMonthYear(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  size_t digits = 0;
  const std::optional<int> day = TakeNumber(text, 2, digits);
  if (!day || text.empty() || text.front() != '/') return std::nullopt;
  text.remove_prefix(1);
  const std::optional<int> month = TakeNumber(text, 2, digits);
  if (!month || text.empty() || text.front() != '/') return std::nullopt;
  text.remove_prefix(1);
  std::optional<int> year = TakeNumber(text, 4, digits);
  if (!year || !text.empty() || (digits != 2 && digits != 4)) return std::nullopt;
  if (digits == 2) *year += *year < 30 ? 2000 : 1900;
  if (*month < 1 || *month > 12 || *day < 1 || *year < 100) return std::nullopt;
  const double date = MakeDate(*year, *month, *day);
  // A day past the month's end would roll into the next month.
  if (SplitDate(date).month != *month) return std::nullopt;
  return date;
}

std::string GeneralDateText(double date) {
  const CivilDateTime c = SplitDate(date);
  const bool noDate = c.year == 1899 && c.month == 12 && c.day == 30;
  const bool noTime = c.hour == 0 && c.minute == 0 && c.second == 0;
  std::string out;
  if (!noDate) {
    AppendNumber(out, c.day, 2);
    out += '/';
    AppendNumber(out, c.month, 2);
    out += '/';
    AppendNumber(out, c.year, 4);
    if (noTime) return out;
    out += ' ';
  }
  AppendNumber(out, c.hour, 2);
  out += ':';
  AppendNumber(out, c.minute, 2);
  out += ':';
  AppendNumber(out, c.second, 2);
  return out;
}

}  // namespace mirrin
