#include "startup/config.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <unordered_map>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "startup/errorreport.h"
#include "startup/version.h"

namespace mirrin {

const std::vector<SettingKey>& SettingKeys() {
  using S = Settings;
  static const std::vector<SettingKey> keys = {
      {"LogLevel", &S::LogLevel, "10", true, true},
      {"LogFilePath", &S::LogFilePath, nullptr, false, true},
      {"CompletedString", &S::CompletedString, "*Completed*", false, true},
      {"ArchiveDeleted", &S::ArchiveDeleted, "N", true, true},
      {"IncludeDates", &S::IncludeDates, "Y", true, true},
      {"IncludeContacts", &S::IncludeContacts, "Y", true, true},
      {"IncludeToDo", &S::IncludeToDo, "N", true, true},
      {"IncludeMemo", &S::IncludeMemo, "N", true, true},
      {"FilterUser1", &S::FilterUser1, "", true, true},
      {"FilterUser2", &S::FilterUser2, "", true, true},
      {"SuffixUser1", &S::SuffixUser1, "", true, true},
      {"SuffixUser2", &S::SuffixUser2, "", true, true},
      {"Startwith", &S::Startwith, "Dates", true, true},
      {"DaystoIgnore", &S::DaystoIgnore, "0", true, true},
      // The custom kind is set up by editing the file; no dialog shows it.
      {"Custom1", &S::Custom1, "", false, false},
      {"Custom1File", &S::Custom1File, "\\SplashID\\export.csv", false, false},
      {"ShowCategories", &S::ShowCategories, "Y", true, true},
      {"ShowMemoCategories", &S::ShowMemoCategories, "Y", true, true},
      {"ShowToDoCategories", &S::ShowToDoCategories, "Y", true, true},
      {"ShowCompany", &S::ShowCompany, "N", true, true},
      {"Agendus", &S::Agendus, "N", true, true},
      {"DateFormat", &S::DateFormat, "dd-mmm-yy", false, true},
      {"DateTimeFormat", &S::DateTimeFormat, "dd-mmm-yy hh:mm", false, true},
      {"FirstDuplicateChars", &S::FirstDuplicateChars, "20", true, true},
      {"User1ShowPrivateDates", &S::User1ShowPrivateDates, "N", true, true},
      {"User2ShowPrivateDates", &S::User2ShowPrivateDates, "N", true, true},
      {"User1ShowPrivateMemos", &S::User1ShowPrivateMemos, "N", true, true},
      {"User2ShowPrivateMemos", &S::User2ShowPrivateMemos, "N", true, true},
      {"User1ShowPrivateToDos", &S::User1ShowPrivateToDos, "N", true, true},
      {"User2ShowPrivateToDos", &S::User2ShowPrivateToDos, "N", true, true},
      {"User1ShowPrivateContacts", &S::User1ShowPrivateContacts, "N", true, true},
      {"User2ShowPrivateContacts", &S::User2ShowPrivateContacts, "N", true, true},
      {"PalmDir1", &S::PalmDir1, "", true, true},
      {"UserDir1", &S::UserDir1, "", true, true},
      {"PalmUser1", &S::PalmUser1, "", true, true},
      {"PalmDir2", &S::PalmDir2, "", true, true},
      {"UserDir2", &S::UserDir2, "", true, true},
      {"PalmUser2", &S::PalmUser2, "", true, true},
      {"GUI", &S::GUI, "0", true, true},
      {"GUIHeight", &S::GUIHeight, "0", true, true},
      {"KeepCategories", &S::KeepCategories, "N", true, true},
      {"AddCategories", &S::AddCategories, "N", true, true},
      {"SortbyCategory", &S::SortbyCategory, "N", true, true},
      {"ShowDatebookCategories", &S::ShowDatebookCategories, "N", true, true},
      {"ShowCompletedToDos", &S::ShowCompletedToDos, "N", true, true},
      {"DBCS", &S::DBCS, "N", true, true},
      {"EnableMultiSelect", &S::EnableMultiSelect, "N", true, true},
      {"HideAfter", &S::HideAfter, "dd/mm/yyyy", true, true},
      {"CopyAlarms", &S::CopyAlarms, "Y", true, true},
  };
  return keys;
}

std::string ConfigFilePath(std::string_view programDir) {
  return std::string(programDir) + "\\" + kProgramName + ".cfg";
}

std::vector<std::string> Split(std::string_view text, char sep) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(sep, start);
    if (at == std::string_view::npos) break;
    pieces.emplace_back(text.substr(start, at - start));
    start = at + 1;
  }
  if (start < text.size() || pieces.empty()) pieces.emplace_back(text.substr(start));
  return pieces;
}

std::string TrimBlanks(std::string_view s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

std::string RTrimBlanks(std::string_view s) {
  const size_t last = s.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The key part of a line: the text before the first "=", without its blanks.
std::string_view KeyPart(std::string_view line) {
  std::string_view key = line.substr(0, line.find('='));
  while (!key.empty() && key.front() == ' ') key.remove_prefix(1);
  while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
  return key;
}

// Keys compare trimmed and without regard to letter case.
std::string KeyOf(std::string_view line) { return UpperAscii(KeyPart(line)); }

// GetValueFromIni over `matching`, the positions of the key's lines.
ConfigValue LookUp(ConfigLines& lines, const std::vector<size_t>& matching, std::string_view key,
                   std::string_view defaultText, bool addIfMissing, LogSink& log, Platform& platform) {
  std::string value(defaultText);
  bool found = false;
  for (size_t i : matching) {
    std::string& line = lines[i];
    if (found && !value.empty()) {
      line.clear();  // a duplicate: gone at the next rewrite
    } else {
      found = true;
      const size_t eq = line.find('=');
      if (eq != std::string::npos && eq + 1 < line.size()) value = line.substr(eq + 1);
    }
  }
  if (addIfMissing && !found) lines.push_back(std::string(key) + "=" + std::string(defaultText));

  ConfigValue result = value;
  if (value == "Y") result = true;
  if (value == "N") result = false;
  TrapErrors(platform, "GetValueFromIni",
             [&] { log.WriteLog("Got value for " + std::string(key) + " = " + ValueText(result), 11); });
  return result;
}

}  // namespace

std::vector<std::string_view> TextFileLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

bool ReadIniFile(ConfigLines& lines, std::string_view path, LogSink& log, Platform& platform) {
  return TrapErrors(platform, "ReadIniFile", [&] {
    log.WriteLog("ReadIniFile() called.", 11);
    if (FileMissing(path)) {
      log.WriteLog("ReadIniFile - File not found: " + std::string(path), 0);
      return;
    }
    const Bytes bytes = ReadWholeFile(path);
    std::string_view text = bytes;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    for (std::string_view line : TextFileLines(text)) {
      if (!line.empty() && line[0] == '#') continue;
      if (TrimBlanks(line).empty()) continue;
      lines.emplace_back(line);
    }
  });
}

ConfigValue GetValueFromIni(ConfigLines& lines, std::string_view key, std::string_view defaultText,
                            bool addIfMissing, LogSink& log, Platform& platform) {
  std::vector<size_t> matching;
  const std::string upperKey = UpperAscii(key);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (KeyOf(lines[i]) == upperKey) matching.push_back(i);
  }
  return LookUp(lines, matching, key, defaultText, addIfMissing, log, platform);
}

std::string ValueText(const ConfigValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b ? "True" : "False";
  return std::get<std::string>(value);
}

namespace {

// The general numeric conversion: blanks around the number are allowed,
// a fraction rounds half to even.
double ToNumber(const std::string& text) {
  const std::string t = TrimBlanks(text);
  if (t.empty()) throw RunError(err::TypeMismatch, "\"" + text + "\" is not a number");
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v)) {
    throw RunError(err::TypeMismatch, "\"" + text + "\" is not a number");
  }
  return std::nearbyint(v);
}

template <typename Int>
Int ToInteger(const ConfigValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b ? -1 : 0;
  const double v = ToNumber(std::get<std::string>(value));
  if (v < std::numeric_limits<Int>::min() || v > std::numeric_limits<Int>::max()) {
    throw RunError(err::Overflow, std::get<std::string>(value));
  }
  return static_cast<Int>(v);
}

}  // namespace

bool ToBool(const ConfigValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b;
  const std::string& text = std::get<std::string>(value);
  const std::string upper = UpperAscii(TrimBlanks(text));
  if (upper == "TRUE" || upper == "Y" || upper == "YES") return true;
  if (upper == "FALSE" || upper == "N" || upper == "NO") return false;
  return ToNumber(text) != 0;
}

int32_t ToInt32(const ConfigValue& value) { return ToInteger<int32_t>(value); }
int16_t ToInt16(const ConfigValue& value) { return ToInteger<int16_t>(value); }

std::vector<RunError> ReadSettings(ConfigLines& lines, Settings& settings, std::string_view programDir,
                                   LogSink& log, Platform& platform) {
  std::vector<RunError> errors;
  // One pass finds every key's lines: a long file is not read once per key.
  std::unordered_map<std::string, std::vector<size_t>> byKey;
  for (const SettingKey& k : SettingKeys()) byKey[UpperAscii(k.key)];
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto at = byKey.find(KeyOf(lines[i]));
    if (at != byKey.end()) at->second.push_back(i);
  }
  for (const SettingKey& k : SettingKeys()) {
    const std::string defaultText = k.defaultText ? k.defaultText : std::string(programDir);
    const ConfigValue v =
        LookUp(lines, byKey[UpperAscii(k.key)], k.key, defaultText, k.addIfMissing, log, platform);
    auto store = [&](const ConfigValue& value) {
      std::visit(
          [&](auto member) {
            using T = std::remove_reference_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<T, bool>)
              settings.*member = ToBool(value);
            else if constexpr (std::is_same_v<T, int32_t>)
              settings.*member = ToInt32(value);
            else if constexpr (std::is_same_v<T, int16_t>)
              settings.*member = ToInt16(value);
            else
              settings.*member = ValueText(value);
          },
          k.field);
    };
    try {
      // Kept as text, but every kind selection counts with it.
      if (std::string_view(k.key) == "DaystoIgnore") ToInt16(ValueText(v));
      store(v);
    } catch (const RunError& e) {
      store(ConfigValue(defaultText));
      // The report names the line to mend.
      if (settings.Unread.insert(k.key).second) {
        errors.emplace_back(e.number(), e.description() + " (" + k.key + "=" + ValueText(v) + ")",
                            e.detail());
      }
    }
  }
  settings.IncludeCustom = !settings.Custom1.empty();
  return errors;
}

bool StorableValue(std::string_view value) {
  return value.find_first_of("\r\n") == std::string_view::npos && value != "Y" && value != "N";
}

namespace {

std::string CanonicalValue(const Settings& settings, const SettingField& field) {
  return std::visit(
      [&](auto member) -> std::string {
        const auto& v = settings.*member;
        using T = std::remove_cvref_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>)
          return v ? "Y" : "N";
        else if constexpr (std::is_same_v<T, std::string>)
          return v;
        else
          return std::to_string(v);
      },
      field);
}

}  // namespace

void ForgetSetKeys(const Settings& before, Settings& settings) {
  for (const SettingKey& k : SettingKeys()) {
    if (CanonicalValue(before, k.field) != CanonicalValue(settings, k.field)) {
      settings.Unread.erase(k.key);
    }
  }
}

std::string ConfigFileText(ConfigLines& lines, const Settings& settings) {
  const std::string product = kProductName;
  std::string text = "#\r\n#\r\n# This file contains initialisation settings for " + product +
                     "\r\n#\r\n#This can be used to set the default Palm directory\r\n#\r\n"
                     "#and default users \r\n";
  static const std::map<std::string, const SettingKey*> rewritten = [] {
    std::map<std::string, const SettingKey*> byKey;
    for (const SettingKey& k : SettingKeys()) {
      if (k.rewritten) byKey[UpperAscii(k.key)] = &k;
    }
    return byKey;
  }();
  for (std::string& line : lines) {
    const auto at = rewritten.find(KeyOf(line));
    if (at != rewritten.end() && !settings.Unread.contains(at->second->key)) {
      line = std::string(at->second->key) + "=" + CanonicalValue(settings, at->second->field);
    }
    if (!line.empty() && line != "=N") text += line + "\r\n";
  }
  return text;
}

void WriteConfigFile(ConfigLines& lines, const Settings& settings, std::string_view path) {
  std::string text = ConfigFileText(lines, settings);
  if (FileExists(path) && ReadWholeFile(path).starts_with(kByteOrderMark)) {
    text.insert(0, kByteOrderMark);
  }
  WriteFileAtomic(path, text);
}

}  // namespace mirrin
