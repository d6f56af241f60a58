#pragma once
// The address file: contacts with their phone entries and postal addresses,
// in the classic layout (30 fields) and the extended one (prefix + 60 fields).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/datacontext.h"
#include "palmdata/describe.h"
#include "palmdata/header.h"

namespace mirrin {

// The label values, which also index the label name tables. The fields stay
// int32_t so that a value this program does not know is written back as read.
enum PhoneLabel : int32_t {
  kPhoneWork,
  kPhoneHome,
  kPhoneFax,
  kPhoneOther,
  kPhoneEmail,
  kPhoneMain,
  kPhonePager,
  kPhoneMobile,
  kPhoneLabels
};
enum AddressLabel : int32_t { kAddressWork, kAddressHome, kAddressOther };
enum ImLabel : int32_t { kImPlain, kImAim, kImMsn, kImYahoo, kImIcq, kImLabels };

struct PhoneEntry {
  int32_t Label = kPhoneWork;  // a PhoneLabel
  Bytes Value;
};

struct PostalAddress {
  int32_t Label = kAddressWork;  // an AddressLabel
  Bytes Street;
  Bytes City;
  Bytes State;
  Bytes Zip;
  Bytes Country;
};

// Classic files store five phones, four custom fields and the texts of the
// first address; the extended format stores all of them.
constexpr size_t kClassicPhones = 5;
constexpr size_t kClassicCustomFields = 4;

struct ContactRecord : CommonFields {
  Bytes LastName;
  Bytes FirstName;
  Bytes Title;
  Bytes Company;
  int32_t DisplayPhone = 0;
  Bytes Note;
  std::array<PhoneEntry, 7> Phones;
  std::array<Bytes, 9> CustomFields;
  std::array<PostalAddress, 3> Addresses;
  // Extended format only.
  Bytes InstantMessage1;
  Bytes InstantMessage2;
  int32_t IMLabel1 = kImPlain;  // an ImLabel
  int32_t IMLabel2 = 0;
  Bytes Website;
  int32_t ExtPair1 = 0;  // the long-pair field (tag 68)
  int32_t ExtPair2 = 0;
  bool ExtFlag = false;
  int32_t ExtNumber1 = 0;
  int32_t ExtNumber2 = 0;
  HeldText ExtString3;
  HeldText ExtString4;
  HeldText ExtString5;
  HeldText ExtString6;
};

// Header and records from bytes in memory; path is only named in errors,
// whose where() is "ReadAddressFile <path>,<record index>".
void ParseAddressFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                      std::vector<ContactRecord>& records, DataContext& ctx);
Bytes BuildAddressFile(const DatFileHeader& header, const std::vector<ContactRecord>& records,
                       const DataContext& ctx);

// The header a user gets when the address file does not exist yet.
void SetDefaultAddressHeader(DatFileHeader& header, const std::string& path, bool extended = false);
// A missing file is not an error: the kind is empty, with the default header.
void ReadAddressFile(int user, const std::string& path, DatFileHeader& header,
                     std::vector<ContactRecord>& records, DataContext& ctx);
// Replaces path atomically.
void WriteAddressFile(int user, const std::string& path, const DatFileHeader& header,
                      const std::vector<ContactRecord>& records, DataContext& ctx);

void Describe(const ContactRecord& record, FieldVisitor& v);

}  // namespace mirrin
