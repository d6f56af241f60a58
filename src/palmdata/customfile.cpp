#include "palmdata/customfile.h"

#include <unordered_map>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"

namespace mirrin {

namespace {

CategoryEntry CustomCategory(const std::string& name, int32_t position) {
  CategoryEntry e;
  e.LongName = name;
  e.Id = position;
  return e;
}

bool EndsValue(std::string_view text, size_t at) {
  return at >= text.size() || text[at] == ',' || text[at] == '\n' ||
         (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] == '\n'));
}

// One value starting at `at`; `at` moves to the character after it. A value
// opened by a quote that is never properly closed is taken as it stands, and
// `paired` is cleared: how such a line reads depends on the lines after it.
std::string ReadValue(std::string_view text, size_t& at, bool& paired) {
  if (at < text.size() && text[at] == '"') {
    std::string value;
    for (size_t i = at + 1; i < text.size(); ++i) {
      if (text[i] != '"') {
        value.push_back(text[i]);
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        value.push_back('"');
        ++i;
      } else if (EndsValue(text, i + 1)) {
        at = i + 1;
        return value;
      } else {
        break;
      }
    }
    paired = false;
  }
  // A CR is a line end only before LF or at the very end of the text.
  size_t end = text.find_first_of(",\n", at);
  if (end == std::string_view::npos) end = text.size();
  size_t stop = end;
  if (stop > at && text[stop - 1] == '\r' && (stop == text.size() || text[stop] == '\n')) --stop;
  std::string value(text.substr(at, stop - at));
  at = stop;
  return value;
}

// One record starting at `at`, up to and including its line end.
CustomRecord ReadRecord(std::string_view text, size_t& at) {
  const size_t start = at;
  CustomRecord r;
  bool paired = true;
  for (size_t f = 0;; ++f) {
    std::string value = ReadValue(text, at, paired);
    if (f < kCustomFieldCount) {
      r.Fields[f] = std::move(value);
    } else {
      r.Extra.push_back(std::move(value));
    }
    if (at >= text.size() || text[at] != ',') break;
    ++at;
  }
  if (at < text.size() && text[at] == '\r') ++at;
  if (at < text.size() && text[at] == '\n') ++at;
  // A line with unpaired quotes is written afresh, its values quoted, so
  // that it reads the same whatever follows it.
  if (paired) r.Raw = std::string(text.substr(start, at - start));
  return r;
}

bool Unchanged(const CustomRecord& r) {
  if (r.Raw.empty()) return false;
  size_t at = 0;
  const CustomRecord read = ReadRecord(r.Raw, at);
  return read.Fields == r.Fields && read.Extra == r.Extra;
}

void AppendValue(std::string& out, const std::string& value) {
  if (value.find_first_of(",\"\r\n") == std::string::npos) {
    out += value;
    return;
  }
  out.push_back('"');
  for (char c : value) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace

void ReadCustomFile(const std::string& path, DatFileHeader& header, std::vector<CustomRecord>& records) {
  // A missing file is an empty kind.
  ParseCustomText(FileMissing(path) ? Bytes() : ReadWholeFile(path, kMaxCustomFileBytes), header, records);
}

void ParseCustomText(std::string_view text, DatFileHeader& header, std::vector<CustomRecord>& records) {
  std::vector<CustomRecord> read;
  // "Unfiled" matches entry 0 and adds nothing.
  std::unordered_map<std::string, int32_t> categories{{CategoryEntry::Unfiled().LongName, 0}};
  DatFileHeader h = header;
  h.Categories.assign(1, CategoryEntry::Unfiled());
  // The end of the last line starts no further record.
  for (size_t at = 0; at < text.size();) {
    if (read.size() == kMostCustomRecords) {
      throw RunError(err::Overflow, "more than " + std::to_string(kMostCustomRecords) + " records");
    }
    read.push_back(ReadRecord(text, at));
    const std::string& name = read.back().Fields[0];
    if (categories.emplace(name, static_cast<int32_t>(h.Categories.size())).second) {
      h.Categories.push_back(CustomCategory(name, static_cast<int32_t>(h.Categories.size())));
    }
  }
  h.CategoryCount = static_cast<int32_t>(h.Categories.size()) - 1;
  h.RecordCount = static_cast<int32_t>(read.size());
  header = std::move(h);
  records = std::move(read);
}

std::string CustomFileText(const std::vector<CustomRecord>& records) {
  std::string out;
  for (const CustomRecord& r : records) {
    if (r.Deleted) continue;
    // A last line kept without its end gets one when a record follows it.
    if (!out.empty() && out.back() != '\n') out += out.back() == '\r' ? "\n" : "\r\n";
    if (Unchanged(r)) {
      out += r.Raw;
      continue;
    }
    for (size_t f = 0; f < kCustomFieldCount; ++f) {
      if (f != 0) out.push_back(',');
      AppendValue(out, r.Fields[f]);
    }
    for (const std::string& value : r.Extra) {
      out.push_back(',');
      AppendValue(out, value);
    }
    out += "\r\n";
  }
  return out;
}

void WriteCustomFile(int userNumber, const std::string& kindName, const std::string& path,
                     const std::vector<CustomRecord>& records, const DataContext& ctx) {
  ctx.Log("Write " + kindName + " for " + std::to_string(userNumber) + " to " + path, 0);
  WriteFileAtomic(path, CustomFileText(records));
}

}  // namespace mirrin
