#pragma once
// The user list of a Palm Desktop directory (users.dat): one entry per
// handheld user with its name and folder. Only the leading fields of each
// entry are understood; the rest of an entry is skipped up to the marker
// word that introduces the next one.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/errors.h"

namespace mirrin {

struct UserEntry {
  int32_t UserId = 0;
  int32_t NameLength = 0;
  std::string UserName;
  int32_t FolderLength = 0;
  std::string UserFolder;  // relative to the Palm directory
  int32_t UserWord1 = 0;
  int32_t UserWord2 = 0;
  int32_t UserWord3 = 0;
};

// The class definition at the start of the file; kept, not used.
struct UserClassHeader {
  uint16_t Tag = 0;
  uint16_t Schema = 0;      // only when Tag is 0xFFFF
  uint16_t NameLength = 0;  // only when Tag is 0xFFFF
  Bytes Name;
};

struct UserList {
  int32_t UserCount = 0;
  // Positions 0 to UserCount; entries in 0 to UserCount - 1. After a read
  // error the positions not reached stay empty.
  std::vector<UserEntry> Users{UserEntry{}};
  UserClassHeader ClassHeader;
};

// Why a folder name from users.dat cannot be used as a user's folder: it is
// absolute, names a drive or climbs out with "..", so loading and saving
// would happen outside the Palm directory. Empty when it is a plain name
// (or path) below the Palm directory.
std::string UnsafeUserFolderReason(std::string_view folder);

// Marker words of the skip rule.
constexpr uint16_t kUserMarker = 0x8001;   // introduces the next user entry
constexpr uint16_t kClassMarker = 0xFFFF;  // a class definition follows
constexpr uint16_t kObjectMarker = 0x8003;
constexpr uint16_t kEndOfUserFile = 0xFFFF;  // what ScanMarker gives at the end

// Receives read errors: where is "ReadUserFile " + the path.
using UserFileReport = std::function<void(const std::string& where, const RunError& error)>;

// False when the file does not exist or cannot be opened (the list is then
// untouched); true once it was opened, also when reading failed part-way:
// the error is reported and the entries read before it stand.
bool ReadUserFile(const std::string& path, UserList& list, const UserFileReport& report);

// The entries of a users file held in memory (path only for the report);
// entries read before an error stand.
void ParseUserFile(const Bytes& data, const std::string& path, UserList& list, const UserFileReport& report);

// users.dat for the given users, in the layout ReadUserFile reads: the user
// count (short); a class definition (FFFF, schema 1, the class name's
// length and the name); per user its id (long), name and folder (each a
// length byte and the bytes) and three shorts of which the second, when not
// zero, counts bytes that follow (not kept, so written as 0); the next user
// is introduced by the class reference 0x8001. Names and folders longer than
// 255 bytes raise error 6.
Bytes BuildUserFile(const std::vector<UserEntry>& users);

// Skips the rest of a user's data: stops right after the first marker word
// 0x8001 or at the end of the data, never reading past it. Returns the word
// that ended the skip (0x8001, or 0 / 0xFFFF at the end).
uint16_t SkipToNextUser(ByteReader& in);

// Drops four bytes, then returns the first following word whose high byte
// is 0x80, or 0xFFFF at the end of the data.
uint16_t ScanMarker(ByteReader& in);

}  // namespace mirrin
