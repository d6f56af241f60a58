#include "app/cli/demodata.h"

#include <cmath>
#include <filesystem>

#include "palmdata/addressfile.h"
#include "palmdata/datebookfile.h"
#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/memofile.h"
#include "palmdata/todofile.h"
#include "palmdata/users.h"
#include "startup/config.h"
#include "palmdata/pathtext.h"

namespace mirrin::cli {

namespace {

// ---- Headers ---------------------------------------------------------------

// The counted texts' tags the demo's extended records carry.
const std::array<int32_t, 4> kExtTags{64, 65, 66, 67};

using DefaultHeader = void (*)(DatFileHeader& header, const std::string& path, bool extended);

// A new file's header in the layout the file format gives, with the demo's categories.
DatFileHeader MakeHeader(DefaultHeader setDefault, bool extended, const std::string& path,
                         const std::vector<std::string>& categories, size_t records) {
  DatFileHeader h;
  setDefault(h, path, extended);
  for (size_t i = 0; i < categories.size(); ++i) {
    CategoryEntry e;
    e.Index = static_cast<int32_t>(i + 1);
    e.Id = static_cast<int32_t>(i + 1);
    e.LongName = categories[i];
    e.ShortName = categories[i].substr(0, 8);
    h.Categories.push_back(e);
  }
  h.CategoryCount = static_cast<int32_t>(categories.size());
  h.RecordCount = static_cast<int32_t>(records);
  return h;
}

// ---- Records ----------------------------------------------------------------

// Which side holds a record: both alike, or one side only.
enum Holder { kBoth, kUser1, kUser2 };

template <class R>
R Common(int32_t category, bool isPrivate) {
  R r;
  r.Category = category;
  r.Private = isPrivate;
  r.ExtTag = kExtTags;
  return r;
}

// Ids differ per handheld, as they would: twins never depend on them.
template <class R>
void Number(std::vector<R>& records, int user) {
  for (size_t i = 0; i < records.size(); ++i) {
    records[i].RecordId = user * 0x100000 + static_cast<int32_t>(i) + 1;
    records[i].Position = static_cast<int32_t>(i);
  }
}

RepeatRule Repeat(int32_t brand, int32_t interval, double start) {
  RepeatRule r;
  r.Hash = 0xFFFF;
  r.SchemaNo = 1;
  r.ClassName = std::string(RepeatTypeName(brand));
  r.ClassNameLength = static_cast<int32_t>(r.ClassName.size());
  r.Brand = brand;
  r.Interval = interval;
  r.EndDate = PalmDate::Local(MakeDate(2031, 12, 31));  // later than 30 Dec 2031: no end
  const CivilDateTime c = SplitDate(start);
  r.DayIndex = c.weekday - 1;
  r.DaysMask = static_cast<uint8_t>(1 << (c.weekday - 1));
  r.DayNumber = c.day;
  r.MonthIndex = c.month - 1;
  return r;
}

DateRecord Date(double start, double minutes, const char* text, int32_t category = 0) {
  DateRecord r = Common<DateRecord>(category, false);
  r.StartTime = PalmDate::Local(start);
  r.EndTime = PalmDate::Local(start + minutes / 1440.0);
  r.Duration = static_cast<int32_t>(minutes);
  r.Description = text;
  return r;
}

DateRecord WithAlarm(DateRecord r, int32_t advance, int32_t unit) {
  r.AlarmSet = true;
  r.AlarmAdvance = advance;
  r.AlarmUnit = unit;
  return r;
}

// side is 0 for User1 (categories Business, Personal) and 1 for User2
// (Personal, Travel, Business): the same names at other places, so copies
// are mapped by name.
std::vector<DateRecord> Dates(int side, double today) {
  const double day = std::floor(today);
  const int32_t business = side == 0 ? 1 : 3;
  const int32_t personal = side == 0 ? 2 : 1;
  std::vector<DateRecord> d;
  d.push_back(WithAlarm(Date(day + 3 + MakeTime(9, 30, 0), 30, "Dentist", personal), 15, kAlarmMinutes));
  DateRecord yoga = Date(day + 1 + MakeTime(18, 0, 0), 60, "Yoga class");
  yoga.Repeat = Repeat(kRepeatWeekly, 1, yoga.StartTime.value);
  d.push_back(yoga);
  // Near twins: the same meeting ending at different times.
  DateRecord meeting = Date(day + 5 + MakeTime(10, 0, 0), side == 0 ? 60 : 90, "Team meeting", business);
  meeting.Note = "Agenda:\r\n- budget\r\n- holidays";
  d.push_back(meeting);
  // Near twins: only User1 set an alarm.
  DateRecord birthday = Date(day + 20, 0, "Mum's birthday", personal);
  birthday.Untimed = true;
  birthday.Repeat = Repeat(kRepeatYearly, 1, birthday.StartTime.value);
  d.push_back(side == 0 ? WithAlarm(birthday, 1, kAlarmDays) : birthday);
  if (side == 0) {
    d.push_back(Date(day + 7 + MakeTime(12, 30, 0), 60, "Lunch with Carla"));
    DateRecord results = Date(day + 9 + MakeTime(16, 0, 0), 30, "Doctor: test results", personal);
    results.Private = true;
    d.push_back(results);
    DateRecord rent = Date(day + 10, 0, "Rent due", personal);
    rent.Untimed = true;
    rent.Repeat = Repeat(kRepeatMonthlyByDate, 1, rent.StartTime.value);
    d.push_back(rent);
  } else {
    DateRecord service = Date(day + 4 + MakeTime(8, 0, 0), 60, "Car service");
    service.Location = "Garage Nord";
    d.push_back(service);
    DateRecord flight =
        WithAlarm(Date(day + 14 + MakeTime(7, 15, 0), 150, "Flight to Lisbon", 2), 2, kAlarmHours);
    flight.Note = "TP 571, seat 14C";
    d.push_back(flight);
  }
  return d;
}

ContactRecord Contact(const char* last, const char* first, const char* company, int32_t category,
                      std::initializer_list<std::pair<int32_t, const char*>> phones) {
  ContactRecord r = Common<ContactRecord>(category, false);
  r.LastName = last;
  r.FirstName = first;
  r.Company = company;
  // Classic files hold five phones with fixed labels: work, home, fax, other, e-mail.
  for (size_t i = 0; i < kClassicPhones; ++i) r.Phones[i].Label = static_cast<int32_t>(i);
  for (const auto& [slot, number] : phones) r.Phones[static_cast<size_t>(slot)].Value = number;
  return r;
}

// Categories: User1 Business, Personal, QuickList; User2 Personal, Business.
std::vector<ContactRecord> Contacts(int side) {
  const int32_t business = side == 0 ? 1 : 2;
  const int32_t personal = side == 0 ? 2 : 1;
  std::vector<ContactRecord> c;
  // Windows-1252 bytes: the accented letters show only through the code page.
  ContactRecord renee =
      Contact("M\xFCller",
              "Ren\xE9"
              "e",
              "Caf\xE9 Central", personal, {{1, "+43 1 533 37 63"}, {4, "renee@example.org"}});
  renee.Addresses[0].Street = "Herrengasse 14";
  renee.Addresses[0].City = "Wien";
  renee.Addresses[0].Country = "Austria";
  c.push_back(renee);
  c.push_back(Contact("Smith", "John", "Acme Ltd", business,
                      {{0, side == 0 ? "555-0100" : "555-0199"}, {4, "john.smith@example.com"}}));
  if (side == 0) {
    c.push_back(Contact("", "", "Garage Nord", business, {{0, "555-0142"}}));
    ContactRecord agent = Contact("Secret", "Agent", "", personal, {{1, "555-0007"}});
    agent.Private = true;
    agent.Note = "Only call after dark.";
    c.push_back(agent);
  } else {
    ContactRecord hotel = Contact("", "", "Hotel Lisboa", business, {{0, "+351 21 000 0000"}});
    hotel.Website = "https://hotel.example.pt";
    hotel.Note = "Booked 3 nights; breakfast included.";
    c.push_back(hotel);
  }
  return c;
}

// The "no date" Palm time (top byte FF) as the reader gives it, so that it
// is written back as that same value.
PalmDate NoDate(const TimeZoneInfo& tz) {
  ByteWriter w;
  w.WriteLong(kTagDate);
  w.WriteULong(0xFFFFFFFF);
  ByteReader in(w.Data());
  return in.ReadDateField(tz);
}

TodoRecord Todo(const char* text, double due, int32_t priority, int32_t category, const TimeZoneInfo& tz) {
  TodoRecord r = Common<TodoRecord>(category, false);
  r.ExtDate1 = r.ExtDate2 = r.ExtDate3 = NoDate(tz);
  r.Description = text;
  r.DueDate = PalmDate::Local(due);
  r.Priority = priority;
  return r;
}

// Categories: User1 Work, Home; User2 Home, Work.
std::vector<TodoRecord> Todos(int side, double today, const TimeZoneInfo& tz) {
  const double day = std::floor(today);
  const int32_t work = side == 0 ? 1 : 2;
  const int32_t home = side == 0 ? 2 : 1;
  std::vector<TodoRecord> t;
  t.push_back(Todo("Renew passport", day + 30, 2, home, tz));
  // Near twins: the priority was changed on one handheld only.
  t.push_back(Todo("Send quarterly report", day + 6, side == 0 ? 1 : 3, work, tz));
  if (side == 0) {
    TodoRecord plants = Todo("Water the plants", day + 2, 3, home, tz);
    plants.Note = "Balcony first, then the ficus.";
    t.push_back(plants);
  } else {
    TodoRecord insurance = Todo("Pay car insurance", day + 12, 2, home, tz);
    insurance.AlarmSet = true;
    insurance.Repeat = Repeat(kRepeatMonthlyByDate, 1, insurance.DueDate.value);
    t.push_back(insurance);
    TodoRecord party = Todo("Plan surprise party", day + 18, 4, home, tz);
    party.Private = true;
    t.push_back(party);
  }
  return t;
}

MemoRecord Memo(const char* text, int32_t category, bool isPrivate = false) {
  MemoRecord r = Common<MemoRecord>(category, isPrivate);
  r.Text = text;
  return r;
}

// Categories: User1 Ideas, Recipes; User2 Ideas.
std::vector<MemoRecord> Memos(int side) {
  std::vector<MemoRecord> m;
  m.push_back(Memo("Shopping list\r\nMilk\r\nBread\r\nCoffee", 0));
  m.push_back(Memo(side == 0 ? "Ideas for the trip\r\n- Porto\r\n- Sintra"
                             : "Ideas for the trip\r\n- Porto\r\n- Sintra\r\n- \xC9vora",
                   1));
  if (side == 0) {
    m.push_back(Memo("Wi-Fi at home\r\nnetwork: Garden\r\nkey: ask Anna", 0, true));
    m.push_back(Memo("Recipe: Cr\xEApes\r\n250 g flour, 3 eggs, 500 ml milk", 2));
  } else {
    m.push_back(Memo("Packing list\r\nPassport\r\nCharger\r\nSunscreen", 1));
  }
  return m;
}

// ---- Files --------------------------------------------------------------------

std::string Join(const std::string& dir, const std::string& name) {
  return PathText(FsPath(dir) / FsPath(name));
}

void MakeDirectory(const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(FsPath(dir), ec);
  if (ec) throw RunError(err::PathFileAccess, dir + ": " + ec.message());
}

void WriteUser(const DemoUser& user, int side, const std::string& palmDir, double today, DataContext& ctx) {
  const std::string userDir = Join(palmDir, user.folder);
  const int number = side + 1;
  const bool ext = user.extended;
  for (const char* sub : {"datebook", "address", "todo", "memopad"}) MakeDirectory(Join(userDir, sub));

  const std::string datePath = Join(userDir, "datebook/datebook.dat");
  std::vector<DateRecord> dates = Dates(side, today);
  Number(dates, number);
  WriteDatebookFile(number, datePath,
                    MakeHeader(SetDefaultDatebookHeader, ext, datePath,
                               side == 0 ? std::vector<std::string>{"Business", "Personal"}
                                         : std::vector<std::string>{"Personal", "Travel", "Business"},
                               dates.size()),
                    dates, ctx);

  const std::string addressPath = Join(userDir, "address/address.dat");
  std::vector<ContactRecord> contacts = Contacts(side);
  Number(contacts, number);
  WriteAddressFile(number, addressPath,
                   MakeHeader(SetDefaultAddressHeader, ext, addressPath,
                              side == 0 ? std::vector<std::string>{"Business", "Personal", "QuickList"}
                                        : std::vector<std::string>{"Personal", "Business"},
                              contacts.size()),
                   contacts, ctx);

  const std::string todoPath = Join(userDir, "todo/todo.dat");
  std::vector<TodoRecord> todos = Todos(side, today, ctx.timeZone);
  Number(todos, number);
  WriteTodoFile(number, todoPath,
                MakeHeader(SetDefaultTodoHeader, ext, todoPath,
                           side == 0 ? std::vector<std::string>{"Work", "Home"}
                                     : std::vector<std::string>{"Home", "Work"},
                           todos.size()),
                todos, ctx);

  const std::string memoPath = Join(userDir, "memopad/memopad.dat");
  std::vector<MemoRecord> memos = Memos(side);
  Number(memos, number);
  WriteMemoFile(
      number, memoPath,
      MakeHeader(SetDefaultMemoHeader, ext, memoPath,
                 side == 0 ? std::vector<std::string>{"Ideas", "Recipes"} : std::vector<std::string>{"Ideas"},
                 memos.size()),
      memos, ctx);
}

void WriteConfig(const std::string& palmDir, const std::string& programDir) {
  const std::vector<DemoUser>& users = DemoUsers();
  Settings s;
  s.PalmDir1 = s.PalmDir2 = palmDir;
  s.PalmUser1 = users[0].name;
  s.PalmUser2 = users[1].name;
  s.UserDir1 = Join(palmDir, users[0].folder);
  s.UserDir2 = Join(palmDir, users[1].folder);
  s.LogFilePath = programDir;  // an empty value would not mean the program folder
  s.IncludeToDo = true;
  s.IncludeMemo = true;
  s.ShowDatebookCategories = true;
  s.SuffixUser1 = " (" + users[0].name + ")";
  s.SuffixUser2 = " (" + users[1].name + ")";
  ConfigLines lines;
  for (const SettingKey& key : SettingKeys()) {
    if (key.rewritten) lines.push_back(std::string(key.key) + "=");
  }
  WriteConfigFile(lines, s, ConfigFilePath(programDir));
}

}  // namespace

const std::vector<DemoUser>& DemoUsers() {
  static const std::vector<DemoUser> users{{"Anna", "AnnaP", false}, {"Ben", "BenT", true}};
  return users;
}

void WriteDemo(const std::string& palmDir, const std::string& programDir, double today,
               const TimeZoneInfo& tz, const std::vector<std::string>& emptyUsers) {
  MakeDirectory(palmDir);
  MakeDirectory(programDir);
  DataContext ctx;
  ctx.timeZone = tz;
  std::vector<DemoUser> users = DemoUsers();
  for (const std::string& name : emptyUsers) {
    users.push_back({name, name, false});
    MakeDirectory(Join(palmDir, name));
  }
  std::vector<UserEntry> entries;
  for (const DemoUser& u : users) {
    UserEntry& e = entries.emplace_back();
    e.UserId = static_cast<int32_t>(entries.size());
    e.UserName = u.name;
    e.UserFolder = u.folder;
  }
  WriteFileAtomic(Join(palmDir, "users.dat"), BuildUserFile(entries));
  for (int side = 0; side < 2; ++side)
    WriteUser(DemoUsers()[static_cast<size_t>(side)], side, palmDir, today, ctx);
  WriteConfig(palmDir, programDir);
}

}  // namespace mirrin::cli
