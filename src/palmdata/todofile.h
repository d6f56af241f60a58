#pragma once
// The To Do file: tasks, in the classic and the extended layout; extended
// tasks carry the datebook's exceptions and repeat rule.
#include <cstdint>
#include <string>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/datacontext.h"
#include "palmdata/datebookfile.h"
#include "palmdata/describe.h"
#include "palmdata/header.h"

namespace mirrin {

struct TodoRecord : CommonFields {
  Bytes Description;
  PalmDate DueDate;
  bool Completed = false;
  int32_t Priority = 0;
  Bytes Note;
  bool RepeatAfterCompletion = false;  // extended only, as are the fields below
  PalmDate ExtDate1;
  bool AlarmSet = false;
  PalmDate ExtDate2;
  int32_t ExtNumber = 0;
  PalmDate ExtDate3;
  Held<RepeatRule> Repeat;  // held only for a To Do that repeats
  int32_t ExceptionCount = 0;
  Held<std::vector<int32_t>> Exceptions;  // raw Palm times
};

// One record, in the header's layout.
void ReadTodoEntry(ByteReader& in, const DatFileHeader& h, TodoRecord& r, const TimeZoneInfo& tz);

void ParseTodoFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                   std::vector<TodoRecord>& records, DataContext& ctx);
Bytes BuildTodoFile(const DatFileHeader& header, const std::vector<TodoRecord>& records,
                    const DataContext& ctx);
// The header a user gets when the file does not exist yet.
void SetDefaultTodoHeader(DatFileHeader& header, const std::string& path, bool extended = false);
// A missing file is not an error: the kind is empty, with the default header.
void ReadTodoFile(int user, const std::string& path, DatFileHeader& header, std::vector<TodoRecord>& records,
                  DataContext& ctx);
void WriteTodoFile(int user, const std::string& path, const DatFileHeader& header,
                   const std::vector<TodoRecord>& records, DataContext& ctx);

void Describe(const TodoRecord& record, FieldVisitor& v);

}  // namespace mirrin
