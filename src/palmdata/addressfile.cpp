#include "palmdata/addressfile.h"

#include "palmdata/errors.h"
#include "palmdata/recordfile.h"

namespace mirrin {

namespace {

// Every text empty and no repeat (see SmallestRecord).
constexpr SmallestRecord kContactSmallest{259, 633};

struct ContactLayout {
  static constexpr bool kReportsProgress = true;  // "ID 17", "Dr Ann Lee, Acme n pc"

  template <class Io, class R>
  static void Classic(Io& io, R& r) {
    io.Int("RecordId", r.RecordId);
    io.Int("Status", r.Status);
    io.Int("Position", r.Position);
    io.Text("LastName", r.LastName);
    io.Text("FirstName", r.FirstName);
    io.Text("Title", r.Title);
    io.Text("Company", r.Company);
    for (size_t i = 0; i < kClassicPhones; ++i) {
      io.Int("Label", r.Phones[i].Label);
      io.Text("Value", r.Phones[i].Value);
    }
    auto& home = r.Addresses[0];
    io.Text("Street", home.Street);
    io.Text("City", home.City);
    io.Text("State", home.State);
    io.Text("Zip", home.Zip);
    io.Text("Country", home.Country);
    io.Text("Note", r.Note);
    io.Bool("Private", r.Private);
    io.Int("Category", r.Category);
    for (size_t i = 0; i < kClassicCustomFields; ++i) io.Text("CustomField", r.CustomFields[i]);
    io.Int("DisplayPhone", r.DisplayPhone);
  }

  // The fields after the extended record prefix.
  template <class Io, class R>
  static void Extended(Io& io, R& r) {
    io.Text("FirstName", r.FirstName);
    io.Text("LastName", r.LastName);
    io.Text("Title", r.Title);
    io.Text("Company", r.Company);
    io.Named(r);
    io.Int("DisplayPhone", r.DisplayPhone);
    io.Text("Note", r.Note);
    io.Group(" n");
    for (auto& phone : r.Phones) io.Text("Value", phone.Value);
    for (auto& phone : r.Phones) io.Int("Label", phone.Label);
    for (auto& field : r.CustomFields) io.Text("CustomField", field);
    io.Group(" pc");
    for (auto& address : r.Addresses) {
      io.Int("Label", address.Label);
      io.Text("Street", address.Street);
      io.Text("City", address.City);
      io.Text("State", address.State);
      io.Text("Zip", address.Zip);
      io.Text("Country", address.Country);
    }
    io.Group(" a");
    io.Text("InstantMessage1", r.InstantMessage1);
    io.Text("InstantMessage2", r.InstantMessage2);
    io.Int("IMLabel1", r.IMLabel1);
    io.Int("IMLabel2", r.IMLabel2);
    io.Text("Website", r.Website);
    io.Group(" w");
    io.Pair("ExtPair1", "ExtPair2", r.ExtPair1, r.ExtPair2);
    io.Bool("ExtFlag", r.ExtFlag);
    io.Int("ExtNumber1", r.ExtNumber1);
    io.Int("ExtNumber2", r.ExtNumber2);
    io.Group(" b");
    io.Text("ExtString3", r.ExtString3);
    io.Text("ExtString4", r.ExtString4);
    io.Text("ExtString5", r.ExtString5);
    io.Text("ExtString6", r.ExtString6);
  }
};

}  // namespace

void ParseAddressFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                      std::vector<ContactRecord>& records, DataContext& ctx) {
  ReadRecordFile<ContactLayout>("ReadAddressFile", path, data, header, records, ctx, kContactSmallest);
}

Bytes BuildAddressFile(const DatFileHeader& header, const std::vector<ContactRecord>& records,
                       const DataContext& ctx) {
  return BuildRecordFile<ContactLayout>(header, records, ctx);
}

void SetDefaultAddressHeader(DatFileHeader& header, const std::string& path, bool extended) {
  header = NewLayoutHeader<ContactLayout, ContactRecord>("BA", 54, extended, path);
}

void ReadAddressFile(int, const std::string& path, DatFileHeader& header, std::vector<ContactRecord>& records,
                     DataContext& ctx) {
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
                      const std::vector<ContactRecord>& records, DataContext& ctx) {
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
