// mirrin-cli roundtrip FILE [--kind KIND]: reads FILE, builds it again in
// memory and compares; FILE itself is never written.
#include <algorithm>
#include <cstdio>

#include "app/cli/cli.h"
#include "app/cli/datafile.h"

namespace mirrin::cli {

namespace {

constexpr const char* kUsage = "usage: mirrin-cli roundtrip FILE [--kind dates|contacts|todos|memos]\n";

std::string ByteAt(const Bytes& bytes, size_t offset) {
  if (offset >= bytes.size()) return "end of data";
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(bytes[offset]));
  return buf;
}

// Field name and value lines of a record, as the dump would list them.
class FieldLines : public FieldVisitor {
 public:
  void Int(const char* name, int64_t v) override { lines.emplace_back(name, std::to_string(v)); }
  void Bool(const char* name, bool v) override { lines.emplace_back(name, v ? "1" : "0"); }
  void Text(const char* name, const std::string& bytes) override { lines.emplace_back(name, bytes); }
  void Date(const char* name, const PalmDate& d) override {
    lines.emplace_back(name, std::to_string(d.stored) + (d.hasStored ? "" : "?"));
  }
  void Begin(const char* name) override { lines.emplace_back(name, "{"); }
  void End() override { lines.emplace_back("", "}"); }
  std::vector<std::pair<std::string, std::string>> lines;
};

// True when the written file reads back with the same header and fields
// as the original except the extended row numbers, which every save
// renumbers (ExtRowId, ExtFieldBase): a planned rewrite, not a loss.
bool OnlyRowsRenumbered(const DataFile& original, const Bytes& written, const std::string& path) {
  DataContext ctx;
  DataFile back;
  try {
    back = ParseDataFile(original.kind, written, path, ctx);
  } catch (const RunError&) {
    return false;
  }
  FieldLines a, b;
  DescribeHeader(original.header, a);
  DescribeHeader(back.header, b);
  if (a.lines != b.lines || original.Count() != back.Count()) return false;
  bool renumbered = false;
  for (size_t i = 0; i < original.Count(); ++i) {
    FieldLines l, r;
    original.DescribeRecord(i, l);
    back.DescribeRecord(i, r);
    if (l.lines.size() != r.lines.size()) return false;
    for (size_t k = 0; k < l.lines.size(); ++k) {
      if (l.lines[k] == r.lines[k]) continue;
      if (l.lines[k].first != "ExtRowId" && l.lines[k].first != "ExtFieldBase") return false;
      renumbered = true;
    }
  }
  return renumbered;
}

}  // namespace

int RunRoundtrip(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArgs parsed;
  if (!ParseFileArgs(args, false, kUsage, parsed, err)) return 2;
  Bytes original;
  Bytes written;
  DataFile file;
  try {
    DataContext ctx;
    file = LoadDataFile(parsed, original, ctx);
    const DataFile asRead = file;  // Build renumbers the extended rows in place
    written = file.Build(ctx);
    file = asRead;
  } catch (const RunError& e) {
    return ReportFailure(parsed.path, e, err);
  }
  if (written == original) {
    out << "identical\n";
    return 0;
  }
  const auto mismatch = std::mismatch(original.begin(), original.end(), written.begin(), written.end());
  const size_t offset = static_cast<size_t>(mismatch.first - original.begin());
  out << "differs at offset " << offset << ": file " << ByteAt(original, offset) << ", written "
      << ByteAt(written, offset) << " (file " << original.size() << " bytes, written " << written.size()
      << " bytes)\n";
  if (OnlyRowsRenumbered(file, written, parsed.path)) {
    out << "planned rewrite: only the extended rows' numbers (ExtRowId, ExtFieldBase) change, as on every "
           "save; "
           "nothing is lost\n";
  }
  return 1;
}

}  // namespace mirrin::cli
