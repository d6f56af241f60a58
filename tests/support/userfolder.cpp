#include "support/userfolder.h"

#include <filesystem>
#include <vector>

#include "palmdata/addressfile.h"
#include "palmdata/datebookfile.h"
#include "palmdata/todofile.h"
#include "support/headerbuilder.h"

namespace mirrin::test {

namespace {

// An empty file of a kind parsed back, to give the writer a valid header.
template <class Record, class Parse>
DatFileHeader EmptyHeader(const char* letters, std::vector<int> fieldTypes, Parse parse) {
  FileBuilder b;
  HeaderLayout layout;
  layout.letters = letters;
  layout.fieldTypes = std::move(fieldTypes);
  AppendHeader(b, layout);
  DatFileHeader header;
  std::vector<Record> records;
  DataContext ctx;
  parse(b.Data(), "empty", header, records, ctx);
  return header;
}

std::string Folder(const std::string& dir, const char* sub) {
  std::filesystem::create_directories(dir + "/" + sub);
  return dir + "/" + sub + "/";
}

}  // namespace

std::string DatebookPath(const std::string& dir) { return dir + "/datebook/datebook.dat"; }

void WriteUserFolder(const std::string& dir, const UserFiles& files) {
  DataContext ctx;
  const double day = MakeDate(2024, 1, 1) + MakeTime(9, 0, 0);
  if (files.dates >= 0) {
    const std::string path = Folder(dir, "datebook") + "datebook.dat";
    DatFileHeader header;
    SetDefaultDatebookHeader(header, path);
    std::vector<DateRecord> records(static_cast<size_t>(files.dates));
    for (size_t i = 0; i < records.size(); ++i) {
      records[i].RecordId = static_cast<int32_t>(i + 1);
      records[i].Description = "Date " + std::to_string(i);
      records[i].StartTime = PalmDate::Local(day + static_cast<double>(i));
      records[i].EndTime = PalmDate::Local(day + static_cast<double>(i) + MakeTime(1, 0, 0));
    }
    header.RecordCount = files.dates;
    WriteDatebookFile(1, path, header, records, ctx);
  }
  if (files.contacts >= 0) {
    DatFileHeader header = EmptyHeader<ContactRecord>(
        "BA", {1, 1, 1, 5, 5, 5, 5, 1, 5, 1, 5, 1, 5, 1, 5, 1, 5, 5, 5, 5, 5, 5, 5, 6, 1, 5, 5, 5, 5, 1},
        ParseAddressFile);
    std::vector<ContactRecord> records(static_cast<size_t>(files.contacts));
    for (size_t i = 0; i < records.size(); ++i) {
      records[i].RecordId = static_cast<int32_t>(i + 1);
      records[i].LastName = "Contact " + std::to_string(i);
    }
    header.RecordCount = files.contacts;
    WriteAddressFile(1, Folder(dir, "address") + "address.dat", header, records, ctx);
  }
  if (files.todos >= 0) {
    DatFileHeader header = EmptyHeader<TodoRecord>("DT", {1, 1, 1, 5, 3, 6, 1, 6, 1, 5}, ParseTodoFile);
    std::vector<TodoRecord> records(static_cast<size_t>(files.todos));
    for (size_t i = 0; i < records.size(); ++i) {
      records[i].RecordId = static_cast<int32_t>(i + 1);
      records[i].Description = "Todo " + std::to_string(i);
      records[i].DueDate = PalmDate::Local(day);
    }
    header.RecordCount = files.todos;
    WriteTodoFile(1, Folder(dir, "todo") + "todo.dat", header, records, ctx);
  }
}

}  // namespace mirrin::test
