#pragma once
// Start-up: the command line, the fixed tables, log pruning, the splash,
// the configuration (ProcessIniFile) with its validation messages and the
// users prompt, both users, the category filters and the first kind; and
// re-configuration from the File menu, which re-enters ProcessIniFile.
#include <string>
#include <vector>

#include "mainwindow/session.h"
#include "forms/combobox.h"

namespace mirrin {

class MirrinApp;

// Form_Load. args are the command-line words after the program name.
// Throws ProgramEnd when the program must end.
void FormLoad(MirrinApp& app, const std::vector<std::string>& args);

// Applies the configuration lines to the settings, validates them and
// selects both users; the users prompt starts it over after OK and ends the
// program after Cancel. Any other error is reported as "ProcessIniFile" and
// skips the rest.
void ProcessIniFile(MirrinApp& app);

// Deletes the logs dated 6 to 36 days before today from dir.
void PruneLogs(Platform& platform, const std::string& dir);

// Makes each entry of the side's user selector the selected one in turn
// until its text equals name exactly; false when none does.
bool SelectUser(Session& s, Side side, const std::string& name);

// The side's four Restore items: captions from the user's name, enabled
// where the backup file exists (never disabled here).
void SetRestoreItems(Session& s, Side side);

// "Choose..." and the included kinds; withCustom adds the custom kind's name.
// Keeps the selected text when it is still offered, else selects "Choose...".
void FillKindList(const Settings& settings, forms::ComboBox& combo, bool withCustom);

// Step 15 of start-up: selects Startwith when it names an included kind.
void SelectStartKind(MirrinApp& app);

// configureItem and configureUsersItem.
void ConfigureMenu(MirrinApp& app);
void ConfigUserMenu(MirrinApp& app);

}  // namespace mirrin
