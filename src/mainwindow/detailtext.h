#pragma once
// The texts of the detail pane under each list: pure functions of a record
// and the display settings, shared by the pane and the differences marking.
#include <string>

#include "mainwindow/labeltables.h"
#include "mainwindow/userstore.h"
#include "startup/settings.h"

namespace mirrin {

struct DetailContext {
  const Settings& settings;
  const LabelTables& labels;
};

// What the pane shows as a note: with KeepCategories or Agendus only its
// body, without the header and trailer other programs keep in it.
std::string ShownNote(const DetailContext& c, const Bytes& note);
// The note after the operator edited what ShownNote showed: a body edit
// keeps the header and trailer around it.
Bytes EditedNote(const DetailContext& c, const Bytes& note, const std::string& shown);

// What the pane shows for a record outside notes-editing mode.
std::string EntryDetailText(const DetailContext& c, const DateRecord& record);
std::string EntryDetailText(const DetailContext& c, const MemoRecord& record);
std::string EntryDetailText(const DetailContext& c, const TodoRecord& record);
std::string EntryDetailText(const DetailContext& c, const ContactRecord& record);
std::string EntryDetailText(const DetailContext& c, const CustomRecord& record);

// The detail texts.
std::string DateDetailText(const DetailContext& c, const DateRecord& record, const std::string& note,
                           const std::string& agendusContact);
std::string TodoDetailText(const DetailContext& c, const TodoRecord& record, const std::string& note);
std::string ContactDetailText(const DetailContext& c, const ContactRecord& record, const std::string& note);

}  // namespace mirrin
