#pragma once
// The configuration file: key=value lines beside the program, read once into
// ConfigLines, looked up key by key, and rewritten whole by the settings
// dialogs. The lines are kept as read so that keys the program does not know
// survive a rewrite.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "palmdata/errors.h"
#include "palmdata/logsink.h"
#include "startup/settings.h"
#include "platform/platform.h"

namespace mirrin {

// The kept lines of the file in file order (comments and blank lines are
// not kept); an empty entry is a blanked duplicate and is never written.
using ConfigLines = std::vector<std::string>;

// "Y" and "N" read as Booleans; everything else stays text.
using ConfigValue = std::variant<bool, std::string>;

// programDir + "\" + program name + ".cfg"
std::string ConfigFilePath(std::string_view programDir);

// Cuts text at every sep. Empty pieces between separators stay; the one
// empty piece after a trailing separator is dropped; "" gives {""}.
std::vector<std::string> Split(std::string_view text, char sep);

// Cuts at CR LF, lone CR and lone LF alike: a file written with LF line
// ends reads the same as one with CR LF.
std::vector<std::string_view> TextFileLines(std::string_view text);

// Blanks only (tabs are text), as the file's syntax treats them.
std::string TrimBlanks(std::string_view s);
std::string RTrimBlanks(std::string_view s);
std::string UpperAscii(std::string_view s);

// Appends the file's kept lines to `lines` (a second call appends again).
// A UTF-8 byte-order mark before the first line is skipped. A missing file
// is only logged; any other failure (a folder or FIFO in its place too) is
// reported as "ReadIniFile" and gives false,
// so that nothing rewrites a file whose lines were never read.
bool ReadIniFile(ConfigLines& lines, std::string_view path, LogSink& log, Platform& platform);

// The first matching line that has a value wins; later matching lines are
// blanked. A missing key is appended with its default when addIfMissing.
// The value is everything after the first "=", trailing blanks included, so
// that any user name or path can be stored.
ConfigValue GetValueFromIni(ConfigLines& lines, std::string_view key, std::string_view defaultText,
                            bool addIfMissing, LogSink& log, Platform& platform);

// "True"/"False" for a Boolean, the text otherwise.
std::string ValueText(const ConfigValue& value);

// The general conversions of a looked-up value to a key's type. Text that
// is no Boolean or number raises error 13; a number out of range error 6.
// Besides numbers and True/False, a Boolean may be spelled Y, Yes, N or No
// in any case.
bool ToBool(const ConfigValue& value);
int32_t ToInt32(const ConfigValue& value);
int16_t ToInt16(const ConfigValue& value);

// Reads every key in SettingKeys() order into settings, appending missing
// keys to lines. A value that does not convert (DaystoIgnore must be a
// 16-bit number) leaves the key at its default and puts it in
// settings.Unread, so that its line is written back as read; reading goes
// on. Returns the errors of keys that were not in settings.Unread before
// (each is told once a run), described with "(Key=value)" at the end.
std::vector<RunError> ReadSettings(ConfigLines& lines, Settings& settings, std::string_view programDir,
                                   LogSink& log, Platform& platform);

// Takes out of settings.Unread every key whose value differs between
// before and settings: the operator has set it.
void ForgetSetKeys(const Settings& before, Settings& settings);

// A user name or folder the file can hold and give back unchanged: no line
// break, and not "Y" or "N" (which read back as Booleans).
bool StorableValue(std::string_view value);

// The file part of both dialogs' WriteIniFile: replaces every known key's
// line in `lines` by its canonical form from settings and writes the header
// and the non-empty lines (except "=N") through a temporary file, so a
// failure leaves the old file whole, and keeps the old file's byte-order
// mark. Raises RunError on failure; `lines` hold the new values either way.
void WriteConfigFile(ConfigLines& lines, const Settings& settings, std::string_view path);

// The text WriteConfigFile writes (canonicalises `lines` the same way).
std::string ConfigFileText(ConfigLines& lines, const Settings& settings);

}  // namespace mirrin
