#include "palmdata/users.h"

#include "palmdata/fileio.h"

namespace mirrin {

namespace {

// Smallest possible user entry: the id, two empty texts and three shorts.
constexpr size_t kMinUserEntryBytes = 4 + 1 + 1 + 3 * 2;

// The skip rule is defined to stop at the end of the file, where the
// classic reads gave zeros; so a short cut off by the end counts as the end.
void SkipAtMost(ByteReader& in, size_t n) { in.ReadBlock(n < in.Remaining() ? n : in.Remaining()); }

bool ReadShortIfThere(ByteReader& in, uint16_t& word) {
  if (in.Remaining() < 2) {
    SkipAtMost(in, 2);
    return false;
  }
  word = in.ReadShort();
  return true;
}

// Runs ScanMarker until it finds the next user or the end of the data.
uint16_t ScanToUserMarker(ByteReader& in) {
  uint16_t m;
  do {
    m = ScanMarker(in);
  } while (m != kUserMarker && m != kEndOfUserFile);
  return m;
}

// Reads the file's entries into list; `field` names what was being read
// when an error is raised.
void ReadUsers(ByteReader& in, UserList& list, std::string& field) {
  field = "user count";
  const uint16_t count = in.ReadShort();
  field = "class header";
  UserClassHeader& cls = list.ClassHeader;
  cls.Tag = in.ReadShort();
  if (cls.Tag == kClassMarker) {
    cls.Schema = in.ReadShort();
    cls.NameLength = in.ReadShort();
    cls.Name = in.ReadChars(cls.NameLength);
  }
  // Believe the count only if that many entries could follow, so a damaged
  // file cannot make us allocate for users that are not there.
  field = "user count";
  if (static_cast<size_t>(count) * kMinUserEntryBytes > in.Remaining()) {
    throw RunError(err::InputPastEnd, std::to_string(count) + " users announced, " +
                                          std::to_string(in.Remaining()) + " bytes left");
  }
  list.UserCount = count;
  list.Users.assign(static_cast<size_t>(count) + 1, UserEntry{});
  for (size_t i = 0; i < count; ++i) {
    const std::string user = "user " + std::to_string(i + 1) + " ";
    UserEntry e;
    field = user + "id";
    e.UserId = in.ReadLong();
    field = user + "name";
    e.NameLength = in.ReadByte();
    e.UserName = in.ReadChars(static_cast<size_t>(e.NameLength));
    field = user + "folder";
    e.FolderLength = in.ReadByte();
    e.UserFolder = in.ReadChars(static_cast<size_t>(e.FolderLength));
    field = user + "words";
    e.UserWord1 = in.ReadShort();
    e.UserWord2 = in.ReadShort();
    e.UserWord3 = in.ReadShort();
    if (e.UserWord2 != 0) in.ReadChars(static_cast<size_t>(e.UserWord2));
    list.Users[i] = std::move(e);
    field = user + "data";
    SkipToNextUser(in);
  }
}

}  // namespace

std::string UnsafeUserFolderReason(std::string_view folder) {
  if (!folder.empty() && (folder[0] == '\\' || folder[0] == '/')) return "it is an absolute path";
  if (folder.find(':') != std::string_view::npos) return "it names a drive";
  for (char c : folder) {
    if (static_cast<unsigned char>(c) < 0x20) return "it holds a control character";
  }
  size_t start = 0;
  for (;;) {
    const size_t end = folder.find_first_of("\\/", start);
    if (folder.substr(start, end - start) == "..") return "it leads out of the Palm directory (\"..\")";
    if (end == std::string_view::npos) return {};
    start = end + 1;
  }
}

uint16_t ScanMarker(ByteReader& in) {
  SkipAtMost(in, 4);
  while (in.Remaining() >= 2) {
    const uint8_t lo = in.ReadByte();
    const uint8_t hi = in.ReadByte();
    if (hi == 0x80) return static_cast<uint16_t>(hi << 8 | lo);
  }
  SkipAtMost(in, 1);
  return kEndOfUserFile;
}

uint16_t SkipToNextUser(ByteReader& in) {
  uint16_t m = 0;
  while (!in.AtEnd() && m != kUserMarker) {
    uint16_t w = 0;
    if (!ReadShortIfThere(in, w)) break;
    if (w == kClassMarker) {
      uint16_t schema = 0, n = 0;
      if (!ReadShortIfThere(in, schema) || !ReadShortIfThere(in, n)) break;
      SkipAtMost(in, n);  // the class name
      m = ScanToUserMarker(in);
      if (m == kEndOfUserFile) break;
    } else if (w == kUserMarker) {
      m = w;
    } else if (w == kObjectMarker) {
      m = ScanToUserMarker(in);
      if (m == kEndOfUserFile) break;
    }
  }
  return m;
}

bool ReadUserFile(const std::string& path, UserList& list, const UserFileReport& report) {
  const std::string where = "ReadUserFile " + path;
  if (FileMissing(path)) return false;
  Bytes data;
  try {
    data = ReadWholeFile(path);
  } catch (const RunError& e) {
    // A file that is there but cannot be read is reported with its reason;
    // the caller then says that no Palm information was found.
    if (report) report(where, e);
    return false;
  }
  ParseUserFile(data, path, list, report);
  return true;
}

void ParseUserFile(const Bytes& data, const std::string& path, UserList& list, const UserFileReport& report) {
  list = UserList{};
  ByteReader in(data);
  std::string field;
  try {
    ReadUsers(in, list, field);
  } catch (const RunError& e) {
    if (report)
      report("ReadUserFile " + path, RunError(e.number(), e.description(), field + ": " + e.detail()));
  }
}

Bytes BuildUserFile(const std::vector<UserEntry>& users) {
  static const std::string kClassName = "CPUsers";
  ByteWriter out;
  out.WriteShort(static_cast<uint32_t>(users.size()));
  out.WriteShort(kClassMarker);
  out.WriteShort(1);
  out.WriteShort(static_cast<uint32_t>(kClassName.size()));
  out.WriteChars(kClassName);
  for (size_t i = 0; i < users.size(); ++i) {
    const UserEntry& u = users[i];
    if (u.UserName.size() > 255 || u.UserFolder.size() > 255) {
      throw RunError(err::Overflow, "user name or folder longer than 255 bytes");
    }
    if (i > 0) out.WriteShort(kUserMarker);
    out.WriteLong(u.UserId);
    out.WriteByte(static_cast<uint8_t>(u.UserName.size()));
    out.WriteChars(u.UserName);
    out.WriteByte(static_cast<uint8_t>(u.UserFolder.size()));
    out.WriteChars(u.UserFolder);
    out.WriteShort(static_cast<uint32_t>(u.UserWord1));
    out.WriteShort(0);
    out.WriteShort(static_cast<uint32_t>(u.UserWord3));
  }
  return out.Take();
}

}  // namespace mirrin
