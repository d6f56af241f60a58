#pragma once
// Records of any kind as comma-separated values (RFC 4180): one header row,
// then one row per record, fields quoted where they need it, CR LF line
// ends, UTF-8 text. Dates are local times "YYYY-MM-DD HH:MM" (the day alone
// when untimed); Booleans are Y and N as in the configuration. The user
// column holds the user's name. Unless raw, a text that a spreadsheet
// would run as a formula (=, +, -, @, TAB, CR first) gets a leading "'".
#include <string>
#include <vector>

#include "export/exportset.h"

namespace mirrin {

std::string CsvText(const ExportContext& c, Kind kind, const std::vector<ExportRecord>& records,
                    bool raw = false);

// One field, quoted when it holds a comma, a quote, a line end or an edge blank.
std::string CsvField(const std::string& utf8);

}  // namespace mirrin
