#pragma once
// The four record files behind one type, so the verbs treat every kind alike.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "palmdata/addressfile.h"
#include "palmdata/datebookfile.h"
#include "palmdata/describe.h"
#include "palmdata/errors.h"
#include "palmdata/memofile.h"
#include "palmdata/todofile.h"

namespace mirrin::cli {

enum class FileKind { Dates, Contacts, Todos, Memos };

// "dates", "contacts", "todos", "memos": the names --kind takes.
const char* KindName(FileKind kind);
std::optional<FileKind> KindFromName(std::string_view name);
// The version tag's last two letters name the kind: DB, BA, DT, MP. The tag
// is the file's first four bytes, or in the extended wrapper the four after
// the wrapper's name and word.
std::optional<FileKind> KindFromTag(std::string_view data);

struct DataFile {
  FileKind kind = FileKind::Dates;
  DatFileHeader header;
  std::variant<std::vector<DateRecord>, std::vector<ContactRecord>, std::vector<TodoRecord>,
               std::vector<MemoRecord>>
      records;

  size_t Count() const;
  void DescribeRecord(size_t index, FieldVisitor& v) const;
  // The complete file as it would be written (extended rows renumbered).
  Bytes Build(const DataContext& ctx);
};

// RunError as the kind's reader raises it.
DataFile ParseDataFile(FileKind kind, const Bytes& data, const std::string& path, DataContext& ctx);

// Every header field, the categories as a list.
void DescribeHeader(const DatFileHeader& header, FieldVisitor& v);

// The arguments dump and roundtrip share: FILE [--kind KIND] [--json].
struct FileArgs {
  std::string path;
  std::optional<FileKind> kind;
  bool json = false;
};
// False, with a message on err, for arguments that do not fit.
bool ParseFileArgs(const std::vector<std::string>& args, bool allowJson, const char* usage, FileArgs& parsed,
                   std::ostream& err);

// Reads the file and parses it as the given or detected kind. RunError when
// it cannot be read or its kind cannot be told.
DataFile LoadDataFile(const FileArgs& args, Bytes& content, DataContext& ctx);

// One line naming the file and the record and field where reading failed;
// returns the exit code for errors.
int ReportFailure(const std::string& path, const RunError& e, std::ostream& err);

}  // namespace mirrin::cli
