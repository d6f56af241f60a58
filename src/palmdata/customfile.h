#pragma once
// The fifth, user-named record kind: a comma-separated text file with eight
// fields per line, field 0 being the category name. Its category table is
// built from the file itself: one entry per distinct field-0 value.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/datacontext.h"
#include "palmdata/header.h"

namespace mirrin {

constexpr size_t kCustomFieldCount = 8;
// The lists hold at most this many records of a kind; a longer file is refused
// rather than taking memory out of all proportion to its size.
constexpr size_t kMostCustomRecords = 32767;
constexpr size_t kMaxCustomFileBytes = size_t{16} << 20;

struct CustomRecord {
  // A value in double quotes may hold commas, quotes ("") and line breaks.
  std::array<std::string, kCustomFieldCount> Fields;
  bool Deleted = false;  // set by Delete; a deleted record is not written
  // The values after the eighth, kept for the next write.
  std::vector<std::string> Extra;
  // The record's text as read, with its line end; written back unchanged
  // while Fields and Extra are still what it holds. Empty for a new record.
  std::string Raw;
};

// A missing file reads as an empty one. The header's category table
// starts again from "Unfiled" alone, RecordCount becomes the number of
// records and `records` is replaced. Read errors propagate.
void ReadCustomFile(const std::string& path, DatFileHeader& header, std::vector<CustomRecord>& records);

// The records of a file's text held in memory, as ReadCustomFile reads them.
// Error 6 for more than kMostCustomRecords records.
void ParseCustomText(std::string_view text, DatFileHeader& header, std::vector<CustomRecord>& records);

// The file's text: each record not deleted, unchanged ones exactly as read,
// changed and new ones as eight values (quoted where needed) ending CR LF.
std::string CustomFileText(const std::vector<CustomRecord>& records);

// Replaces the file (atomically) with CustomFileText. userNumber and
// kindName only go into the log line.
void WriteCustomFile(int userNumber, const std::string& kindName, const std::string& path,
                     const std::vector<CustomRecord>& records, const DataContext& ctx);

}  // namespace mirrin
