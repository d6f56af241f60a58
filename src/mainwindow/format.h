#pragma once
// Dates and numbers written by picture texts, reading a day/month/year text,
// and the general date-and-time text. Dates are day counts from 1899-12-30
// with the time of day as the fraction.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "palmdata/palmtime.h"

namespace mirrin {

// Date picture, letter case ignored: "dd" two-digit day, "mm" two-digit month
// (minutes when the last field before it was "hh"), "mmm" English month
// abbreviation Jan..Dec, "yy" and "yyyy" the year in two or four digits,
// "hh" the hour 00..23; every other character is copied. For example
// "(yymmdd)" gives "(240131)" and "dd-mmm-yy hh:mm" "31-Jan-24 09:05".
std::string FormatDate(double date, std::string_view picture);
// The same, appended to out, for a date already split (one split serves
// every picture of a row).
void AppendDate(std::string& out, const CivilDateTime& c, std::string_view picture);

// Number picture of "#" and "0" only: the value's decimal digits, at least as
// many as there are placeholders from the first "0" on ("#" drops a leading
// zero, "0" keeps it); a minus sign in front of a negative value. So 0 gives
// "" with "##########" and "0" with "##0".
std::string FormatNumber(int64_t value, std::string_view picture);

// A date written day/month/year ("31/01/2024"; one-digit day and month and a
// two-digit year, 30..99 -> 19xx and 00..29 -> 20xx, are accepted), blanks
// around it ignored. Nothing when the text is not a valid date, such as the
// literal "dd/mm/yyyy" or "31/02/2024".
std::optional<double> ParseDayMonthYear(std::string_view text);

// The general date-and-time text: the date only when the time is midnight,
// the time only when the date part is 0 (1899-12-30), otherwise both. The
// date is written "dd/mm/yyyy" and the time "hh:mm:ss" on a 24-hour clock,
// the machine's short date and time forms of a day/month/year locale.
std::string GeneralDateText(double date);

}  // namespace mirrin
