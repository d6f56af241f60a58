#pragma once
// Selecting rows, the detail panes under the lists, notes editing and the
// in-place editing of descriptions and category names.
#include <string>

#include "mainwindow/session.h"

namespace mirrin {

// Empties a side's pane: line and description cleared and locked, the
// "Show this Category" box unchecked and disabled.
void ClearDetail(Session& s, Side side);

// detail1 / detail2: fills a side's pane from its current record.
void Detail(Session& s, Side side);

// The selection of a side's list changed (click, key or program).
void ListSelectionChanged(Session& s, Side side);

// Key down / key up on a side's list.
void ListKeyDown(Session& s, Side side, forms::KeyCode key);
void ListKeyUp(Session& s, Side side);

// editNotes: switches the notes-editing mode.
void ToggleNotesMode(Session& s);

// Change of a pane's details or description.
void LineChanged(Session& s, Side side);
void DescChanged(Session& s, Side side);

// What the pane shows for a record outside notes-editing mode.
std::string EntryDetailText(Session& s, const DateRecord& record);
std::string EntryDetailText(Session& s, const MemoRecord& record);
std::string EntryDetailText(Session& s, const TodoRecord& record);
std::string EntryDetailText(Session& s, const ContactRecord& record);
std::string EntryDetailText(Session& s, const CustomRecord& record);

// The detail texts.
std::string DateDetailText(Session& s, const DateRecord& record, const std::string& note,
                           const std::string& agendusContact);
std::string TodoDetailText(Session& s, const TodoRecord& record, const std::string& note);
std::string ContactDetailText(Session& s, const ContactRecord& record, const std::string& note);

}  // namespace mirrin
