#pragma once
// The datebook file: appointments with their repeat rule and date exceptions,
// in the classic and the extended layout.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/datacontext.h"
#include "palmdata/describe.h"
#include "palmdata/header.h"

namespace mirrin {

// The values of a rule's Brand and of an alarm's unit. The fields stay
// int32_t so that a value this program does not know is written back as read.
enum RepeatType : int32_t {
  kNoRepeat = 0,
  kRepeatDaily = 1,
  kRepeatWeekly = 2,
  kRepeatMonthlyByWeekday = 3,
  kRepeatMonthlyByDate = 4,
  kRepeatYearly = 5,
};
enum AlarmUnitValue : int32_t { kAlarmMinutes = 0, kAlarmHours = 1, kAlarmDays = 2 };  // others: minutes

struct RepeatRule {
  int32_t Hash = 0;  // 0: no repeat; 65535 after any repeat was read
  int32_t SchemaNo = 0;
  int32_t ClassNameLength = 0;
  HeldText ClassName;
  int32_t Brand = kNoRepeat;  // a RepeatType
  int32_t Interval = 0;
  PalmDate EndDate;
  int32_t FirstDayOfWeek = 0;
  int32_t DayIndex = 0;    // daily, weekly, monthly by weekday
  uint8_t DaysMask = 0;    // weekly
  int32_t WeekIndex = 0;   // monthly by weekday
  int32_t DayNumber = 0;   // monthly by date, yearly and unknown types
  int32_t MonthIndex = 0;  // yearly
};

// A rule with every field as a record that does not repeat has it.
bool IsEmpty(const RepeatRule& rule);

// The class name of a repeat type; empty for none and for unknown types.
std::string_view RepeatTypeName(int32_t brand);

// The numbers side by side, so that no padding comes between them: a user
// keeps tens of thousands of dates.
struct DateRecord : CommonFields {
  PalmDate StartTime;
  PalmDate EndTime;
  Bytes Description;
  Bytes Note;
  int32_t Duration = 0;
  bool Untimed = false;
  bool AlarmSet = false;
  int32_t AlarmAdvance = 0;
  int32_t AlarmUnit = kAlarmMinutes;  // an AlarmUnitValue
  int32_t ExtNumber = 0;
  int32_t ExceptionCount = 0;
  Held<RepeatRule> Repeat;  // held only for a date that repeats
  HeldText Location;        // extended only
  HeldText ExtString3;
  HeldText ExtString4;
  Held<std::vector<int32_t>> Exceptions;  // raw Palm times, ExceptionCount of them
};

// The repeat event: a class entry (or a reference to an earlier one) and
// the rule. A reference is read as the full entry it stands for.
RepeatRule ReadRepeatEvent(ByteReader& in, const TimeZoneInfo& tz);
void WriteRepeatEvent(ByteWriter& out, const RepeatRule& rule, const TimeZoneInfo& tz);

// The tag-8 field shared by dates and extended To Dos: exceptions, then the repeat event.
void ReadRepeatField(ByteReader& in, int32_t& exceptionCount, std::vector<int32_t>& exceptions,
                     RepeatRule& rule, const TimeZoneInfo& tz);
void WriteRepeatField(ByteWriter& out, int32_t exceptionCount, const std::vector<int32_t>& exceptions,
                      const RepeatRule& rule, const TimeZoneInfo& tz);
void DescribeRepeat(int32_t exceptionCount, const std::vector<int32_t>& exceptions, const RepeatRule& rule,
                    FieldVisitor& v);

// The header a user gets when the datebook file does not exist yet.
void SetDefaultDatebookHeader(DatFileHeader& header, const std::string& path, bool extended = false);

void ParseDatebookFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                       std::vector<DateRecord>& records, DataContext& ctx);
Bytes BuildDatebookFile(const DatFileHeader& header, const std::vector<DateRecord>& records,
                        const DataContext& ctx);
void ReadDatebookFile(int user, const std::string& path, DatFileHeader& header,
                      std::vector<DateRecord>& records, DataContext& ctx);
void WriteDatebookFile(int user, const std::string& path, const DatFileHeader& header,
                       const std::vector<DateRecord>& records, DataContext& ctx);

void Describe(const DateRecord& record, FieldVisitor& v);

}  // namespace mirrin
