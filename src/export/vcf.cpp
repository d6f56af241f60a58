#include "export/vcf.h"

#include "sysplatform/codepage.h"
#include "export/contentline.h"

namespace mirrin {

namespace {

std::string PhoneProperty(int32_t label, const Bytes& value) {
  static const char* const kTypes[kPhoneLabels] = {"work,voice", "home,voice", "fax",   "x-other",
                                                   "",           "x-main",     "pager", "cell"};
  if (label == kPhoneEmail) return "EMAIL:" + EscapeValue(value);
  const std::string type = label >= 0 && label < kPhoneLabels ? kTypes[label] : "voice";
  return "TEL;VALUE=text;TYPE=" + type + ":" + EscapeValue(value);
}

std::string AddressProperty(const PostalAddress& a) {
  std::string line = "ADR";
  if (a.Label == kAddressWork) line += ";TYPE=work";
  if (a.Label == kAddressHome) line += ";TYPE=home";
  // Post office box and extended address are not kept by the files.
  return line + ":;;" + EscapeValue(a.Street) + ";" + EscapeValue(a.City) + ";" + EscapeValue(a.State) + ";" +
         EscapeValue(a.Zip) + ";" + EscapeValue(a.Country);
}

bool Empty(const PostalAddress& a) {
  return a.Street.empty() && a.City.empty() && a.State.empty() && a.Zip.empty() && a.Country.empty();
}

// A parameter value in double quotes may hold anything but quotes and controls.
std::string QuotedParam(const std::string& text) {
  std::string out;
  for (char ch : ToUtf8(text)) {
    if (ch != '"' && static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F) out += ch;
  }
  return "\"" + out + "\"";
}

// The address scheme of each IM label.
std::string ImProperty(int32_t label, const Bytes& value, const LabelTables& labels) {
  static const char* const kSchemes[kImLabels] = {"im", "aim", "msnim", "ymsgr", "icq"};
  const bool known = label >= 0 && label < kImLabels;
  std::string line = "IMPP";
  if (known) line += ";X-SERVICE-TYPE=" + QuotedParam(labels.IMLabelNames[static_cast<size_t>(label)]);
  return line + ":" + (known ? kSchemes[label] : "im") + ":" + EscapeValue(value);
}

void AddCard(std::string& out, const ExportContext& c, const ExportRecord& r) {
  const UserStore& st = c.Store(r.side);
  const ContactRecord& k = st.contacts[static_cast<size_t>(r.index)];
  AppendLine(out, "BEGIN:VCARD");
  AppendLine(out, "VERSION:4.0");
  AppendLine(out, "UID:urn:x-mirrin:contact-" + std::to_string(UserNumber(r.side)) + "-" +
                      std::to_string(r.index) + "-" + std::to_string(k.RecordId));
  // FN is required: the names, else the company.
  Bytes full = k.FirstName;
  if (!k.LastName.empty()) full += (full.empty() ? "" : " ") + k.LastName;
  if (full.empty()) full = k.Company;
  AppendLine(out, "FN:" + EscapeValue(full));
  AppendLine(out, "N:" + EscapeValue(k.LastName) + ";" + EscapeValue(k.FirstName) + ";;;");
  if (!k.Company.empty()) AppendLine(out, "ORG:" + EscapeValue(k.Company));
  if (!k.Title.empty()) AppendLine(out, "TITLE:" + EscapeValue(k.Title));
  for (const PhoneEntry& p : k.Phones) {
    if (!p.Value.empty()) AppendLine(out, PhoneProperty(p.Label, p.Value));
  }
  for (const PostalAddress& a : k.Addresses) {
    if (!Empty(a)) AppendLine(out, AddressProperty(a));
  }
  if (!k.InstantMessage1.empty()) AppendLine(out, ImProperty(k.IMLabel1, k.InstantMessage1, c.labels));
  if (!k.InstantMessage2.empty()) AppendLine(out, ImProperty(k.IMLabel2, k.InstantMessage2, c.labels));
  if (!k.Website.empty()) AppendLine(out, "URL:" + EscapeValue(k.Website));
  for (size_t i = 0; i < k.CustomFields.size(); ++i) {
    if (k.CustomFields[i].empty()) continue;
    // Extended address files name their custom fields in the header.
    const std::string& name = st.contactsHeader.LabelText[i];
    AppendLine(out, "X-PALM-CUSTOM" + std::to_string(i + 1) +
                        (name.empty() ? std::string() : ";X-LABEL=" + QuotedParam(name)) + ":" +
                        EscapeValue(k.CustomFields[i]));
  }
  if (!k.Note.empty()) AppendLine(out, "NOTE:" + EscapeValue(k.Note));
  const std::string category = ExportCategory(c, Kind::Contacts, r);
  if (!category.empty()) AppendLine(out, "CATEGORIES:" + EscapeValue(category));
  if (k.Private) AppendLine(out, "X-PALM-PRIVATE:TRUE");
  AppendLine(out, "END:VCARD");
}

}  // namespace

std::string ContactCards(const ExportContext& c, const std::vector<ExportRecord>& records) {
  std::string out;
  for (const ExportRecord& r : records) AddCard(out, c, r);
  return out;
}

}  // namespace mirrin
