#pragma once
// The four record files behind one set of calls, so that one test runs every
// kind, and the golden samples they are checked against.
#include <string>
#include <type_traits>
#include <vector>

#include "palmdata/addressfile.h"
#include "palmdata/datebookfile.h"
#include "palmdata/fileio.h"
#include "palmdata/memofile.h"
#include "palmdata/todofile.h"

namespace mirrin::test {

inline std::string DataFile(const std::string& name) {
  return std::string(MIRRIN_TEST_DATA_DIR) + "/" + name;
}

template <class R, auto ParseFn, auto BuildFn, auto ReadFn, auto WriteFn>
struct Kind {
  using Record = R;
  struct Store {
    DatFileHeader header;
    std::vector<R> records;
  };
  static void ParseInto(const Bytes& data, Store& s, DataContext& ctx) {
    ParseFn(data, "f", s.header, s.records, ctx);
  }
  static Store Parsed(const Bytes& data, DataContext& ctx) {
    Store s;
    ParseInto(data, s, ctx);
    return s;
  }
  static Bytes Build(Store& s, const DataContext& ctx = {}) { return BuildFn(s.header, s.records, ctx); }
  static void Read(const std::string& path, Store& s, DataContext& ctx) {
    ReadFn(1, path, s.header, s.records, ctx);
  }
  static void Write(const std::string& path, Store& s, DataContext& ctx) {
    WriteFn(1, path, s.header, s.records, ctx);
  }
};

using Dates = Kind<DateRecord, ParseDatebookFile, BuildDatebookFile, ReadDatebookFile, WriteDatebookFile>;
using Contacts = Kind<ContactRecord, ParseAddressFile, BuildAddressFile, ReadAddressFile, WriteAddressFile>;
using Todos = Kind<TodoRecord, ParseTodoFile, BuildTodoFile, ReadTodoFile, WriteTodoFile>;
using Memos = Kind<MemoRecord, ParseMemoFile, BuildMemoFile, ReadMemoFile, WriteMemoFile>;

// A record of default values whose dates can be written (1 January 1970).
template <class R>
R Writable() {
  R r;
  const PalmDate epoch = PalmDate::FromStored(0, kUnixEpochDay);
  if constexpr (std::is_same_v<R, DateRecord>) r.StartTime = r.EndTime = epoch;
  if constexpr (std::is_same_v<R, TodoRecord>) r.DueDate = r.ExtDate1 = r.ExtDate2 = r.ExtDate3 = epoch;
  return r;
}

// Calls f(kind, sample name start, reader's name, version letters) for each kind.
template <class F>
void ForEachKind(F f) {
  f(Dates{}, "datebook", "ReadDatebookFile", "BD");
  f(Contacts{}, "address", "ReadAddressFile", "BA");
  f(Todos{}, "todo", "ReadTodoFile", "DT");
  f(Memos{}, "memo", "ReadMemoFile", "MP");
}

// Reads a sample and writes it again; RunError as the reader raises it.
inline Bytes Rebuild(const std::string& name, const Bytes& data) {
  Bytes out;
  ForEachKind([&](auto kind, const std::string& start, const char*, const char*) {
    using K = decltype(kind);
    if (name.rfind(start + "-", 0) != 0) return;
    DataContext ctx;
    auto s = K::Parsed(data, ctx);
    out = K::Build(s, ctx);
  });
  return out;
}

}  // namespace mirrin::test
