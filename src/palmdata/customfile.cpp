#include "palmdata/customfile.h"

#include "palmdata/fileio.h"

namespace mirrin {

namespace {

CategoryEntry CustomCategory(const std::string& name, int32_t position) {
  CategoryEntry e;
  e.LongName = name;
  e.Id = position;
  return e;
}

// A line break inside a field would end the line there and turn the rest
// of the field into a record of its own when the file is read again, so it
// is written as a blank. (A lone CR is kept: it does not end a line here.)
void AppendField(std::string& out, std::string_view field) {
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\r' && i + 1 < field.size() && field[i + 1] == '\n') continue;
    out.push_back(field[i] == '\n' ? ' ' : field[i]);
  }
}

}  // namespace

CustomRecord ReadCustomLine(std::string_view line, DatFileHeader& header) {
  CustomRecord record;
  // Values beyond the eighth are dropped; an empty line is one empty value.
  size_t start = 0;
  for (size_t f = 0; f < kCustomFieldCount; ++f) {
    const size_t comma = line.find(',', start);
    record.Fields[f] = std::string(line.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  // "Unfiled" matches entry 0 and adds nothing.
  for (const CategoryEntry& entry : header.Categories) {
    if (entry.LongName == record.Fields[0]) return record;
  }
  const auto position = static_cast<int32_t>(header.Categories.size());
  header.Categories.push_back(CustomCategory(record.Fields[0], position));
  header.CategoryCount = position;
  return record;
}

void ReadCustomFile(const std::string& path, DatFileHeader& header,
                    std::vector<CustomRecord>& records) {
  // A missing file is an empty kind.
  ParseCustomText(FileExists(path) ? ReadWholeFile(path) : Bytes(), header, records);
}

void ParseCustomText(std::string_view text, DatFileHeader& header, std::vector<CustomRecord>& records) {
  header.Categories.assign(1, CategoryEntry::Unfiled());
  header.CategoryCount = 0;
  records.clear();
  // A line ends at LF, with or without a CR before it; the last line may
  // lack its end (or end in a bare CR), and the end of the last line starts
  // no further record.
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    records.push_back(ReadCustomLine(text.substr(start, end - start), header));
    start = next;
  }
  header.RecordCount = static_cast<int32_t>(records.size());
}

void WriteCustomLine(std::string& out, const CustomRecord& record) {
  if (record.Deleted) return;
  for (size_t f = 0; f < kCustomFieldCount; ++f) {
    if (f != 0) out.push_back(',');
    AppendField(out, record.Fields[f]);
  }
  out += "\r\n";
}

void WriteCustomFile(int userNumber, const std::string& kindName, const std::string& path,
                     const std::vector<CustomRecord>& records, const DataContext& ctx) {
  ctx.Log("Write " + kindName + " for " + std::to_string(userNumber) + " to " + path, 0);
  std::string out;
  for (const CustomRecord& record : records) WriteCustomLine(out, record);
  WriteFileAtomic(path, out);
}

}  // namespace mirrin
