#include "app/cli/datafile.h"

#include <array>
#include <cstdio>
#include <utility>

#include "palmdata/fileio.h"

namespace mirrin::cli {

namespace {

struct KindInfo {
  FileKind kind;
  const char* name;
  // The version tag's last two bytes; the datebook's own default is "BD",
  // and either order is accepted where the samples do not settle it.
  std::array<const char*, 2> letters;
};

constexpr std::array<KindInfo, 4> kKinds{{
    {FileKind::Dates, "dates", {"BD", "DB"}},
    {FileKind::Contacts, "contacts", {"BA", nullptr}},
    {FileKind::Todos, "todos", {"DT", nullptr}},
    {FileKind::Memos, "memos", {"MP", "PM"}},
}};

Bytes BuildKind(const DatFileHeader& h, std::vector<DateRecord>& r, const DataContext& ctx) {
  return BuildDatebookFile(h, r, ctx);
}
Bytes BuildKind(const DatFileHeader& h, std::vector<ContactRecord>& r, const DataContext& ctx) {
  return BuildAddressFile(h, r, ctx);
}
Bytes BuildKind(const DatFileHeader& h, std::vector<TodoRecord>& r, const DataContext& ctx) {
  return BuildTodoFile(h, r, ctx);
}
Bytes BuildKind(const DatFileHeader& h, std::vector<MemoRecord>& r, const DataContext& ctx) {
  return BuildMemoFile(h, r, ctx);
}

template <class Record, class Parse>
void ParseInto(DataFile& file, Parse parse, const Bytes& data, const std::string& path, DataContext& ctx) {
  std::vector<Record> records;
  parse(data, path, file.header, records, ctx);
  file.records = std::move(records);
}

}  // namespace

const char* KindName(FileKind kind) {
  for (const KindInfo& k : kKinds) {
    if (k.kind == kind) return k.name;
  }
  return "";
}

std::optional<FileKind> KindFromName(std::string_view name) {
  for (const KindInfo& k : kKinds) {
    if (name == k.name) return k.kind;
  }
  return std::nullopt;
}

std::optional<FileKind> KindFromTag(std::string_view data) {
  Bytes tag;
  try {
    ByteReader in(data);
    tag = in.ReadTag4();
    if (tag == std::string_view("\xBE\xBA\xFE\xCA", 4)) {
      in.ReadCString();  // the wrapper's name
      in.ReadTag4();     // and word
      tag = in.ReadTag4();
    }
  } catch (const RunError&) {
    return std::nullopt;
  }
  for (const KindInfo& k : kKinds) {
    for (const char* letters : k.letters) {
      if (letters && tag.compare(2, 2, letters) == 0) return k.kind;
    }
  }
  return std::nullopt;
}

size_t DataFile::Count() const {
  return std::visit([](const auto& r) { return r.size(); }, records);
}

void DataFile::DescribeRecord(size_t index, FieldVisitor& v) const {
  std::visit([&](const auto& r) { Describe(r.at(index), v); }, records);
}

Bytes DataFile::Build(const DataContext& ctx) {
  return std::visit([&](auto& r) { return BuildKind(header, r, ctx); }, records);
}

DataFile ParseDataFile(FileKind kind, const Bytes& data, const std::string& path, DataContext& ctx) {
  DataFile file;
  file.kind = kind;
  switch (kind) {
    case FileKind::Dates:
      ParseInto<DateRecord>(file, ParseDatebookFile, data, path, ctx);
      break;
    case FileKind::Contacts:
      ParseInto<ContactRecord>(file, ParseAddressFile, data, path, ctx);
      break;
    case FileKind::Todos:
      ParseInto<TodoRecord>(file, ParseTodoFile, data, path, ctx);
      break;
    case FileKind::Memos:
      ParseInto<MemoRecord>(file, ParseMemoFile, data, path, ctx);
      break;
  }
  return file;
}

void DescribeHeader(const DatFileHeader& h, FieldVisitor& v) {
  v.Text("VersionTag", h.VersionTag);
  v.Bool("IsExtended", h.IsExtended);
  if (h.IsExtended) {
    v.Text("ExtendedTag", h.ExtendedTag);
    v.Text("ExtendedName", h.ExtendedName);
    v.Text("ExtendedWord", h.ExtendedWord);
    v.Text("ExtendedBlock", h.ExtendedBlock);
  }
  v.Text("FileName", h.FileName);
  v.Text("TableString", h.TableString);
  if (h.IsExtended && h.IsAddressFile()) {
    v.Text("AddressBlock", h.AddressBlock);
    v.Begin("Labels");
    for (size_t i = 0; i < h.LabelText.size(); ++i) {
      v.Begin("Label");
      v.Text("LabelText", h.LabelText[i]);
      v.Int("LabelValue", h.LabelValue[i]);
      v.End();
    }
    v.End();
  }
  if (h.IsExtended) v.Text("ExtendedTail", h.ExtendedTail);
  v.Int("NextFreeId", h.NextFreeId);
  v.Int("CategoryCount", h.CategoryCount);
  v.Begin("Categories");
  // Entry 0 is the built-in "Unfiled"; the file holds the others.
  for (size_t i = 1; i < h.Categories.size(); ++i) {
    const CategoryEntry& c = h.Categories[i];
    v.Begin("Category");
    v.Int("Index", c.Index);
    v.Int("Id", c.Id);
    v.Int("DirtyFlag", c.DirtyFlag);
    v.Text("LongName", c.LongName);
    v.Text("ShortName", c.ShortName);
    v.End();
  }
  v.End();
  v.Int("ResourceId", h.ResourceId);
  v.Int("FieldsPerRow", h.FieldsPerRow);
  v.Int("RecordIdPosition", h.RecordIdPosition);
  v.Int("StatusPosition", h.StatusPosition);
  v.Int("PlacementPosition", h.PlacementPosition);
  v.Int("FieldCount", h.FieldCount);
  v.Begin("FieldTypes");
  for (size_t i = 1; i < h.FieldTypes.size(); ++i) v.Int("FieldType", h.FieldTypes[i]);
  v.End();
  v.Int("RecordCount", h.RecordCount);
  v.Text("TrailingBytes", h.TrailingBytes);  // after the last record, kept as read
}

bool ParseFileArgs(const std::vector<std::string>& args, bool allowJson, const char* usage, FileArgs& parsed,
                   std::ostream& err) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--kind" && i + 1 < args.size()) {
      parsed.kind = KindFromName(args[++i]);
      if (!parsed.kind) {
        err << "mirrin-cli: unknown kind \"" << args[i] << "\" (dates, contacts, todos, memos)\n";
        return false;
      }
    } else if (a == "--json" && allowJson) {
      parsed.json = true;
    } else if (a.rfind("--", 0) != 0 && parsed.path.empty()) {
      parsed.path = a;
    } else {
      err << usage;
      return false;
    }
  }
  if (parsed.path.empty()) err << usage;
  return !parsed.path.empty();
}

DataFile LoadDataFile(const FileArgs& args, Bytes& content, DataContext& ctx) {
  content = ReadWholeFile(args.path);
  const std::optional<FileKind> kind = args.kind ? args.kind : KindFromTag(content);
  if (!kind) {
    throw RunError(err::TypeMismatch, "the version tag names no known kind; give --kind");
  }
  try {
    return ParseDataFile(*kind, content, args.path, ctx);
  } catch (const RunError& e) {
    if (!ctx.unsupportedVersion) throw;
    // The layout was guessed from a tag the program does not know, so
    // what failed after it says little; the tag is the news.
    std::string tag;
    for (size_t i = 0; i < 4 && i < content.size(); ++i) {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%s%02X", i ? " " : "", static_cast<unsigned char>(content[i]));
      tag += buf;
    }
    throw RunError(err::TypeMismatch,
                   "unknown version tag " + tag +
                       ": not a Palm Desktop file layout this program reads (reading it as one "
                       "failed: " +
                       e.description() + ")");
  }
}

int ReportFailure(const std::string& path, const RunError& e, std::ostream& err) {
  // where() names the reader, the file and the record; detail() the field.
  err << "mirrin-cli: " << (e.where().empty() ? path : e.where()) << ": " << e.description() << " (error "
      << e.number() << ")";
  if (!e.detail().empty()) err << ": " << e.detail();
  err << "\n";
  return 2;
}

}  // namespace mirrin::cli
