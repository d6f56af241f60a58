#pragma once
// Each record layout is written once, as a walk over the record's fields in
// file order: Layout::Classic(io, record) and Layout::Extended(io, record),
// the latter for the fields after the extended prefix. FieldIn reads them,
// FieldOut writes them and FieldDescribe names them for the dump, so the
// reader, the writer and the description of a layout cannot drift apart.
// The walks take R = Record for reading and R = const Record otherwise.
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/datebookfile.h"
#include "palmdata/describe.h"
#include "palmdata/header.h"

namespace mirrin {

constexpr int32_t kTagLongPair = 68;

struct FieldIn {
  ByteReader& in;
  const TimeZoneInfo& tz;
  std::string progress;  // which record and group, for the layouts that report it

  void Int(const char*, int32_t& v) { v = in.ReadIntField(); }
  void Bool(const char*, bool& v) { v = in.ReadBoolField(); }
  void Text(const char*, Bytes& s) { s = in.ReadCStringField(); }
  void Text(const char*, HeldText& s) { s = in.ReadCStringField(); }
  void Date(const char*, PalmDate& d) { d = in.ReadDateField(tz); }
  void TimeAsInt(const char* name, PalmDate& d) { Date(name, d); }
  void Pair(const char*, const char*, int32_t& a, int32_t& b) {
    in.ReadLong();  // the tag is not checked, as with every typed field
    a = in.ReadLong();
    b = in.ReadLong();
  }
  template <class R>
  void Repeat(R& r) {
    RepeatRule rule;
    std::vector<int32_t> exceptions;
    ReadRepeatField(in, r.ExceptionCount, exceptions, rule, tz);
    r.Exceptions.Set(std::move(exceptions));
    r.Repeat.Set(std::move(rule));
  }
  void Begin(const char*) {}
  void End() {}
  template <class R>
  void Named(const R& r) {
    progress = r.Title + " " + r.FirstName + " " + r.LastName + ", " + r.Company;
  }
  void Group(const char* mark) { progress += mark; }
};

struct FieldOut {
  ByteWriter& out;
  const TimeZoneInfo& tz;

  void Int(const char*, int32_t v) { out.WriteIntField(v); }
  void Bool(const char*, bool v) { out.WriteBoolField(v); }
  void Text(const char*, const Bytes& s) { out.WriteCStringField(s); }
  void Date(const char*, const PalmDate& d) { out.WriteDateField(d, tz); }
  // A date the classic datebook stores as an Integer field.
  void TimeAsInt(const char*, const PalmDate& d) {
    out.WriteIntField(static_cast<int32_t>(PalmTimeOf(d, tz)));
  }
  void Pair(const char*, const char*, int32_t a, int32_t b) {
    out.WriteLong(kTagLongPair);
    out.WriteLong(a);
    out.WriteLong(b);
  }
  template <class R>
  void Repeat(const R& r) {
    WriteRepeatField(out, r.ExceptionCount, r.Exceptions, r.Repeat.Get(), tz);
  }
  void Begin(const char*) {}
  void End() {}
  template <class R>
  void Named(const R&) {}
  void Group(const char*) {}
};

struct FieldDescribe {
  FieldVisitor& v;

  void Int(const char* name, int32_t x) { v.Int(name, x); }
  void Bool(const char* name, bool x) { v.Bool(name, x); }
  void Text(const char* name, const Bytes& s) { v.Text(name, s); }
  void Date(const char* name, const PalmDate& d) { v.Date(name, d); }
  void TimeAsInt(const char* name, const PalmDate& d) { v.Date(name, d); }
  void Pair(const char* first, const char* second, int32_t a, int32_t b) {
    v.Int(first, a);
    v.Int(second, b);
  }
  template <class R>
  void Repeat(const R& r) {
    DescribeRepeat(r.ExceptionCount, r.Exceptions, r.Repeat.Get(), v);
  }
  void Begin(const char* name) { v.Begin(name); }
  void End() { v.End(); }
  template <class R>
  void Named(const R&) {}
  void Group(const char*) {}
};

// The schema of a layout: the type tag of each field in file order
// (1 integer, 3 date, 5 text, 6 Boolean, 8 repeat, 68 the long pair).
struct FieldTypes {
  std::vector<int32_t> tags;

  void Int(const char*, int32_t) { tags.push_back(1); }
  void Bool(const char*, bool) { tags.push_back(6); }
  void Text(const char*, const Bytes&) { tags.push_back(5); }
  void Date(const char*, const PalmDate&) { tags.push_back(3); }
  void TimeAsInt(const char*, const PalmDate&) { tags.push_back(1); }
  void Pair(const char*, const char*, int32_t, int32_t) { tags.push_back(kTagLongPair); }
  template <class R>
  void Repeat(const R&) {
    tags.push_back(8);
  }
  void Begin(const char*) {}
  void End() {}
  template <class R>
  void Named(const R&) {}
  void Group(const char*) {}
};

// The header of a new, empty file of the layout; extended schemas start
// with the prefix's fields (64 to 67: the counted texts).
template <class Layout, class Record>
DatFileHeader NewLayoutHeader(std::string_view kindLetters, int32_t resourceId, bool extended,
                              const std::string& path) {
  FieldTypes io;
  if (extended) io.tags = {1, 1, 1, 1, 1, 1, 6, 64, 65, 66, 67, 5, 5};
  const Record r{};
  extended ? Layout::Extended(io, r) : Layout::Classic(io, r);
  return NewHeader(kindLetters, resourceId, extended, io.tags, path);
}

// One record in the header's layout. Layouts whose errors name the record
// (Layout::kReportsProgress) add io.progress to an error's detail.
template <class Layout, class Record>
void ReadEntry(ByteReader& in, const DatFileHeader& h, Record& r, const TimeZoneInfo& tz) {
  FieldIn io{in, tz, {}};
  if (!h.IsExtended) return Layout::Classic(io, r);
  ReadExtPrefix(in, r);
  if constexpr (!Layout::kReportsProgress) {
    Layout::Extended(io, r);
  } else {
    io.progress = "ID " + std::to_string(r.RecordId);
    try {
      Layout::Extended(io, r);
    } catch (const RunError& e) {
      throw RunError(e.number(), e.description(),
                     e.detail().empty() ? io.progress : e.detail() + ": " + io.progress);
    }
  }
}

// Extended rows are written with the numbers of their place in the file.
template <class Layout, class Record>
void WriteEntry(ByteWriter& out, const DatFileHeader& h, const Record& r, size_t row,
                const TimeZoneInfo& tz) {
  FieldOut io{out, tz};
  if (!h.IsExtended) return Layout::Classic(io, r);
  WriteExtPrefix(out, r, ExtendedRowNumbers(row, h.FieldCount));
  Layout::Extended(io, r);
}

// Every field a record can hold, named: the common ones, then the extended layout's.
template <class Layout, class Record>
void DescribeEntry(const Record& r, FieldVisitor& v) {
  DescribeCommon(r, v);
  FieldDescribe io{v};
  Layout::Extended(io, r);
}

}  // namespace mirrin
