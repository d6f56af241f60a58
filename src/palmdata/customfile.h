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

struct CustomRecord {
  std::array<std::string, kCustomFieldCount> Fields;
  bool Deleted = false;  // set by Delete; a deleted record is not written
};

// A missing file reads as an empty one. The header's category table
// starts again from "Unfiled" alone, RecordCount becomes the number of
// lines and `records` is replaced. Read errors propagate.
void ReadCustomFile(const std::string& path, DatFileHeader& header,
                    std::vector<CustomRecord>& records);

// The records of a file's text held in memory, as ReadCustomFile reads them.
void ParseCustomText(std::string_view text, DatFileHeader& header, std::vector<CustomRecord>& records);

// One line without its line end; adds its category to the header when new.
CustomRecord ReadCustomLine(std::string_view line, DatFileHeader& header);

// Replaces the file (atomically) with one CR LF line per record that is not
// deleted. userNumber and kindName only go into the log line.
void WriteCustomFile(int userNumber, const std::string& kindName, const std::string& path,
                     const std::vector<CustomRecord>& records, const DataContext& ctx);

// Appends the record's line with its CR LF; a deleted record adds nothing.
void WriteCustomLine(std::string& out, const CustomRecord& record);

}  // namespace mirrin
