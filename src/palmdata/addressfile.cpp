#include "palmdata/addressfile.h"

#include "palmdata/describe.h"
#include "palmdata/errors.h"
#include "palmdata/recordfile.h"

namespace mirrin {

namespace {

// Every text empty and no repeat (see SmallestRecord).
constexpr SmallestRecord kContactSmallest{259, 633};

constexpr int32_t kTagLongPair = 68;

// Each layout is written once, as a walk over the record's fields in file
// order; FieldIn reads them and FieldOut writes them, so the reader and the
// writer of a layout cannot drift apart.
struct FieldIn {
  ByteReader& in;
  std::string progress;  // which contact and group, for error reports

  void Int(int32_t& v) { v = in.ReadIntField(); }
  void Bool(bool& v) { v = in.ReadBoolField(); }
  void Text(Bytes& s) { s = in.ReadCStringField(); }
  void Pair(int32_t& a, int32_t& b) {
    in.ReadLong();  // the tag is not checked, as with every typed field
    a = in.ReadLong();
    b = in.ReadLong();
  }
  template <class R>
  void Named(const R& r) {
    progress = r.Title + " " + r.FirstName + " " + r.LastName + ", " + r.Company;
  }
  void Group(const char* mark) { progress += mark; }
};

struct FieldOut {
  ByteWriter& out;

  void Int(int32_t v) { out.WriteIntField(v); }
  void Bool(bool v) { out.WriteBoolField(v); }
  void Text(const Bytes& s) { out.WriteCStringField(s); }
  void Pair(int32_t a, int32_t b) {
    out.WriteLong(kTagLongPair);
    out.WriteLong(a);
    out.WriteLong(b);
  }
  template <class R>
  void Named(const R&) {}
  void Group(const char*) {}
};

// R is ContactRecord for reading and const ContactRecord for writing.
template <class Io, class P>
void WalkPhone(Io& io, P& phone) {
  io.Int(phone.Label);
  io.Text(phone.Value);
}

template <class Io, class R>
void WalkClassic(Io& io, R& r) {
  io.Int(r.RecordId);
  io.Int(r.Status);
  io.Int(r.Position);
  io.Text(r.LastName);
  io.Text(r.FirstName);
  io.Text(r.Title);
  io.Text(r.Company);
  for (size_t i = 0; i < kClassicPhones; ++i) WalkPhone(io, r.Phones[i]);
  auto& home = r.Addresses[0];
  io.Text(home.Street);
  io.Text(home.City);
  io.Text(home.State);
  io.Text(home.Zip);
  io.Text(home.Country);
  io.Text(r.Note);
  io.Bool(r.Private);
  io.Int(r.Category);
  for (size_t i = 0; i < kClassicCustomFields; ++i) io.Text(r.CustomFields[i]);
  io.Int(r.DisplayPhone);
}

// The fields after the extended record prefix.
template <class Io, class R>
void WalkExtended(Io& io, R& r) {
  io.Text(r.FirstName);
  io.Text(r.LastName);
  io.Text(r.Title);
  io.Text(r.Company);
  io.Named(r);
  io.Int(r.DisplayPhone);
  io.Text(r.Note);
  io.Group(" n");
  for (auto& phone : r.Phones) io.Text(phone.Value);
  for (auto& phone : r.Phones) io.Int(phone.Label);
  for (auto& field : r.CustomFields) io.Text(field);
  io.Group(" pc");
  for (auto& address : r.Addresses) {
    io.Int(address.Label);
    io.Text(address.Street);
    io.Text(address.City);
    io.Text(address.State);
    io.Text(address.Zip);
    io.Text(address.Country);
  }
  io.Group(" a");
  io.Text(r.InstantMessage1);
  io.Text(r.InstantMessage2);
  io.Int(r.IMLabel1);
  io.Int(r.IMLabel2);
  io.Text(r.Website);
  io.Group(" w");
  io.Pair(r.ExtPair1, r.ExtPair2);
  io.Bool(r.ExtFlag);
  io.Int(r.ExtNumber1);
  io.Int(r.ExtNumber2);
  io.Group(" b");
  io.Text(r.ExtString3);
  io.Text(r.ExtString4);
  io.Text(r.ExtString5);
  io.Text(r.ExtString6);
}

}  // namespace

void ReadPhoneEntry(ByteReader& in, PhoneEntry& phone) {
  FieldIn io{in, {}};
  WalkPhone(io, phone);
}

void WritePhoneEntry(ByteWriter& out, const PhoneEntry& phone) {
  FieldOut io{out};
  WalkPhone(io, phone);
}

void ReadContactEntry(ByteReader& in, ContactRecord& record) {
  FieldIn io{in, {}};
  WalkClassic(io, record);
}

void WriteContactEntry(ByteWriter& out, const ContactRecord& record) {
  FieldOut io{out};
  WalkClassic(io, record);
}

void ReadContactEntryExt(ByteReader& in, ContactRecord& record) {
  ReadExtPrefix(in, record);
  FieldIn io{in, "ID " + std::to_string(record.RecordId)};
  try {
    WalkExtended(io, record);
  } catch (const RunError& e) {
    // Say which contact and which group of its fields could not be read.
    throw RunError(e.number(), e.description(),
                   e.detail().empty() ? io.progress : e.detail() + ": " + io.progress);
  }
}

void WriteContactEntryExt(ByteWriter& out, const ContactRecord& record) {
  WriteExtPrefix(out, record);
  FieldOut io{out};
  WalkExtended(io, record);
}

void ParseAddressFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                      std::vector<ContactRecord>& records, DataContext& ctx) {
  ReadRecordFile("ReadAddressFile", path, data, header, records, ctx, kContactSmallest,
                 [](ByteReader& in, const DatFileHeader& h, ContactRecord& r) {
                   if (h.IsExtended) {
                     ReadContactEntryExt(in, r);
                   } else {
                     ReadContactEntry(in, r);
                   }
                 });
}

Bytes BuildAddressFile(const DatFileHeader& header, std::vector<ContactRecord>& records,
                       const DataContext&) {
  return BuildRecordFile(header, records,
                         [](ByteWriter& out, const DatFileHeader& h, const ContactRecord& r) {
                           if (h.IsExtended) {
                             WriteContactEntryExt(out, r);
                           } else {
                             WriteContactEntry(out, r);
                           }
                         });
}

void SetDefaultAddressHeader(DatFileHeader& header, const std::string& path) {
  // 1 integer, 5 text, 6 Boolean: the classic record's 30 fields in order.
  header = ClassicHeader("BA", 54, {1, 1, 1, 5, 5, 5, 5, 1, 5, 1, 5, 1, 5, 1, 5, 1, 5,
                                    5, 5, 5, 5, 5, 5, 6, 1, 5, 5, 5, 5, 1},
                         path);
}

void ReadAddressFile(int, const std::string& path, DatFileHeader& header,
                     std::vector<ContactRecord>& records, DataContext& ctx) {
  ctx.Log("ReadAddressFile " + path, 6);
  if (FileMissing(path)) {
    SetDefaultAddressHeader(header, path);
    records.clear();
    return;
  }
  Bytes data;
  try {
    data = ReadWholeFile(path);
  } catch (const RunError& e) {
    RethrowAt(e, "ReadAddressFile " + path + ",0");
  }
  ParseAddressFile(data, path, header, records, ctx);
}

void WriteAddressFile(int user, const std::string& path, const DatFileHeader& header,
                      std::vector<ContactRecord>& records, DataContext& ctx) {
  ctx.Log("Write Contacts for " + std::to_string(user == 1 ? 1 : 2) + " to " + path, 6);
  const Bytes content = BuildAddressFile(header, records, ctx);
  CheckReadsBack<ContactRecord>(content, records.size(), path, ctx, ParseAddressFile);
  WriteFileAtomic(path, content);
}

void Describe(const ContactRecord& r, FieldVisitor& v) {
  DescribeCommon(r, v);
  v.Text("LastName", r.LastName);
  v.Text("FirstName", r.FirstName);
  v.Text("Title", r.Title);
  v.Text("Company", r.Company);
  v.Int("DisplayPhone", r.DisplayPhone);
  v.Text("Note", r.Note);
  v.Begin("Phones");
  for (const PhoneEntry& phone : r.Phones) {
    v.Begin("Phone");
    v.Int("Label", phone.Label);
    v.Text("Value", phone.Value);
    v.End();
  }
  v.End();
  v.Begin("CustomFields");
  for (const Bytes& field : r.CustomFields) v.Text("CustomField", field);
  v.End();
  v.Begin("Addresses");
  for (const PostalAddress& address : r.Addresses) {
    v.Begin("Address");
    v.Int("Label", address.Label);
    v.Text("Street", address.Street);
    v.Text("City", address.City);
    v.Text("State", address.State);
    v.Text("Zip", address.Zip);
    v.Text("Country", address.Country);
    v.End();
  }
  v.End();
  v.Text("InstantMessage1", r.InstantMessage1);
  v.Text("InstantMessage2", r.InstantMessage2);
  v.Int("IMLabel1", r.IMLabel1);
  v.Int("IMLabel2", r.IMLabel2);
  v.Text("Website", r.Website);
  v.Int("ExtPair1", r.ExtPair1);
  v.Int("ExtPair2", r.ExtPair2);
  v.Bool("ExtFlag", r.ExtFlag);
  v.Int("ExtNumber1", r.ExtNumber1);
  v.Int("ExtNumber2", r.ExtNumber2);
  v.Text("ExtString3", r.ExtString3);
  v.Text("ExtString4", r.ExtString4);
  v.Text("ExtString5", r.ExtString5);
  v.Text("ExtString6", r.ExtString6);
}

}  // namespace mirrin
