#include <gtest/gtest.h>

#include "export/csv.h"
#include "export/vcf.h"
#include "export_fixture.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

class ContactExportTest : public ::testing::Test, protected test::ExportFixture {
 protected:
  void SetUp() override {
    test::AddCategory(stores[kLeft].contactsHeader, 2, "Friends");
    stores[kLeft].contactsHeader.LabelText[0] = "Colour";
    ContactRecord k;
    k.RecordId = 7;
    k.Category = 2;
    k.LastName = "M\xFCller";
    k.FirstName =
        "Ren\xE9"
        "e";
    k.Company = "Caf\xE9 Nord, GmbH";
    k.Title = "Chef";
    const std::pair<int32_t, const char*> phones[7] = {
        {0, "+49 30 1234"},       {1, "030 555"}, {2, "030 556"}, {3, "0800 1"},
        {4, "renee@example.org"}, {6, "0170 9"},  {7, "0171 8"}};
    for (size_t i = 0; i < 7; ++i) k.Phones[i] = {phones[i].first, phones[i].second};
    k.Addresses[0] = {0, "Hauptstr. 1", "Berlin", "", "10115", "Germany"};
    k.Addresses[1] = {1, "Gartenweg 2", "Potsdam", "BB", "14467", ""};
    k.InstantMessage1 = "renee99";
    k.IMLabel1 = 1;
    k.Website = "http://example.org/~renee";
    k.CustomFields[0] = "Blue";
    k.Note = "Met at the fair\r\nTwice\x1B\x07";
    stores[kLeft].contacts.push_back(k);
  }
  std::string Cards() {
    const ExportContext c = Context();
    return ContactCards(c, ChooseRecords(c, Kind::Contacts, false, false));
  }
};

TEST_F(ContactExportTest, SevenPhonesAndNonAsciiNamesAsCheckedByHand) {
  const std::string expected =
      "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:x-mirrin:contact-1-0-7\r\n"
      "FN:Ren\xC3\xA9"
      "e M\xC3\xBCller\r\nN:M\xC3\xBCller;Ren\xC3\xA9"
      "e;;;\r\n"
      "ORG:Caf\xC3\xA9 Nord\\, GmbH\r\nTITLE:Chef\r\n"
      "TEL;VALUE=text;TYPE=work,voice:+49 30 1234\r\nTEL;VALUE=text;TYPE=home,voice:030 555\r\n"
      "TEL;VALUE=text;TYPE=fax:030 556\r\nTEL;VALUE=text;TYPE=x-other:0800 1\r\nEMAIL:renee@example.org\r\n"
      "TEL;VALUE=text;TYPE=pager:0170 9\r\nTEL;VALUE=text;TYPE=cell:0171 8\r\n"
      "ADR;TYPE=work:;;Hauptstr. 1;Berlin;;10115;Germany\r\nADR;TYPE=home:;;Gartenweg 2;Potsdam;BB;14467;\r\n"
      "IMPP;X-SERVICE-TYPE=\"AIM\":aim:renee99\r\nURL:http://example.org/~renee\r\n"
      "X-PALM-CUSTOM1;X-LABEL=\"Colour\":Blue\r\nNOTE:Met at the fair\\nTwice\r\nCATEGORIES:Friends\r\n"
      "END:VCARD\r\n";
  EXPECT_EQ(Cards(), expected);
}

TEST_F(ContactExportTest, DebiansVobjectParsesTheExport) {
  ContactRecord company;
  company.Company = "ACME";
  stores[kLeft].contacts.push_back(company);
  test::TempDir dir;
  const std::string path = dir.File("contacts.vcf");
  test::WriteFileBytes(path, Cards());
  int status = 0;
  const std::string out = test::RunSystemPython(R"(import sys
try:
    import vobject
except ImportError:
    print("NO MODULE"); sys.exit(0)
import warnings
warnings.simplefilter('error')
with open(sys.argv[1], encoding='utf-8', newline='') as f: text = f.read()
for card in vobject.readComponents(text):
    c = card.contents
    print('|'.join([card.fn.value, str(len(c.get('tel', []))), ' '.join(e.value for e in c.get('email', [])),
                    str(len(c.get('adr', []))), c['note'][0].value if 'note' in c else '']))
)",
                                                path, status);
  if (out.find("NO MODULE") != std::string::npos) GTEST_SKIP() << "python3-vobject is not installed";
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out,
            "Ren\xC3\xA9"
            "e M\xC3\xBCller|6|renee@example.org|2|Met at the fair\nTwice\nACME|0||0|\n");
}

TEST(CsvExport, QuotingHeaderAndEveryKind) {
  test::ExportFixture f;
  MemoRecord memo;
  memo.RecordId = 5;
  memo.Text =
      "Shopping, \"big\"\r\nMilk \x80"
      "2";
  f.stores[kLeft].memos.push_back(memo);
  memo.Text = "=HYPERLINK(\"http://x\")";
  f.stores[kLeft].memos.push_back(memo);
  ExportContext c = f.Context();
  const std::vector<ExportRecord> memos = ChooseRecords(c, Kind::Memos, false, false);
  EXPECT_EQ(CsvText(c, Kind::Memos, memos),
            "User,Record ID,Category,Private,Text\r\n"
            "Anna,5,,N,\"Shopping, \"\"big\"\"\r\nMilk \xE2\x82\xAC"
            "2\"\r\n"
            "Anna,5,,N,\"'=HYPERLINK(\"\"http://x\"\")\"\r\n");
  EXPECT_NE(CsvText(c, Kind::Memos, memos, true).find("\r\nAnna,5,,N,\"=HYPERLINK("), std::string::npos);
  for (const char* text : {"+1", "-2", "@SUM(A1)", "\tx", "\rx"}) {
    memo.Text = text;
    f.stores[kLeft].memos = {memo};
    const std::string csv = CsvText(c, Kind::Memos, ChooseRecords(c, Kind::Memos, false, false));
    EXPECT_NE(csv.find(std::string("'") + text), std::string::npos) << text;
  }
  EXPECT_EQ(CsvField(" edge"), "\" edge\"");
  EXPECT_EQ(CsvField("plain"), "plain");

  DateRecord d;
  d.RecordId = 9;
  d.Description = "Standup";
  d.StartTime = PalmDate::Local(MakeDate(2024, 3, 4) + MakeTime(9, 0, 0));
  d.EndTime = PalmDate::Local(MakeDate(2024, 3, 4) + MakeTime(10, 0, 0));
  test::ExportFixture::Repeat(d, 2, MakeDate(2024, 3, 31));
  d.Repeat.Mutable().DaysMask = 2 | 16;
  d.AlarmSet = true;
  d.AlarmAdvance = 10;
  f.stores[kLeft].dates.push_back(d);
  const std::string dates = CsvText(c, Kind::Dates, ChooseRecords(c, Kind::Dates, false, false));
  EXPECT_EQ(dates.substr(dates.find("\r\n") + 2),
            "Anna,9,,N,2024-03-04 09:00,2024-03-04 10:00,N,Standup,0,,,Y,10,minutes,Weekly,1,2024-03-31,Mon "
            "Thu,\r\n");

  // Python's csv module reads every kind back: each row as long as the
  // header, a comma inside a field kept in it.
  memo.Text = "Milk, bread";
  f.stores[kLeft].memos = {memo};
  f.stores[kLeft].contacts.emplace_back();
  f.stores[kLeft].todos.emplace_back();
  f.stores[kLeft].custom.emplace_back().Fields = {"Cards", "Visa", "", "", "", "", "", ""};
  test::TempDir dir;
  for (Kind kind : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos, Kind::Custom}) {
    test::WriteFileBytes(dir.File(std::to_string(static_cast<int>(kind)) + ".csv"),
                         CsvText(c, kind, ChooseRecords(c, kind, false, false)));
  }
  int status = 0;
  const std::string out = test::RunSystemPython(R"(import csv, glob, os, sys
for name in sorted(glob.glob(os.path.join(os.path.dirname(sys.argv[1]), '*.csv'))):
    with open(name, encoding='utf-8', newline='') as f: rows = list(csv.reader(f))
    print(len(rows), all(len(r) == len(rows[0]) for r in rows), repr(rows[-1][-1]))
)",
                                                dir.File("0.csv"), status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "2 True ''\n2 True ''\n2 True ''\n2 True 'Milk, bread'\n2 True ''\n");
}

// Two users merged: a record both hold identically is written once, unless
// the left one is left out as private, when the right one stands in.
TEST(MergedExport, TwinsOnceAndPrivateTwinsReplaced) {
  test::ExportFixture f;
  f.settings.ShowMemoCategories = false;
  auto memo = [](const char* text, bool priv) {
    MemoRecord m;
    m.Text = text;
    m.Private = priv;
    return m;
  };
  f.stores[kLeft].memos = {memo("Both", false), memo("Left only", false), memo("Secret", true),
                           memo("Twice", true), memo("Twice", false)};
  f.stores[kRight].memos = {memo("Right only", false), memo("Both", false), memo("Secret", false),
                            memo("Deleted", false), memo("Twice", false)};
  f.stores[kRight].memos[3].Status = 4;
  const ExportContext c = f.Context();
  auto chosen = [&](bool both, bool priv) {
    std::vector<std::string> texts;
    for (const ExportRecord& r : ChooseRecords(c, Kind::Memos, both, priv)) {
      const MemoRecord& m = c.Store(r.side).memos[static_cast<size_t>(r.index)];
      texts.push_back(std::to_string(UserNumber(r.side)) + ":" + m.Text);
    }
    return texts;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(chosen(false, false), V({"1:Both", "1:Left only", "1:Twice"}));
  // The private first "Twice" is left out, the second stands for the right one.
  EXPECT_EQ(chosen(true, false), V({"1:Both", "1:Left only", "1:Twice", "2:Right only", "2:Secret"}));
  EXPECT_EQ(chosen(true, true),
            V({"1:Both", "1:Left only", "1:Secret", "1:Twice", "1:Twice", "2:Right only"}));
}

}  // namespace
}  // namespace mirrin
