// The file functions through the wide-character Win32 API, so paths with
// characters outside the ANSI code page work.
#include <windows.h>

#include <random>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/pathtext.h"
#include "palmdata/readtoend.h"

namespace mirrin {

namespace {

int ErrorFor(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return err::FileNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return err::PermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return err::DiskFull;
    default:
      return err::PathFileAccess;
  }
}

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = n > 0 ? NarrowPath(std::wstring_view(text, n)) : "error " + std::to_string(code);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.' ||
                              message.back() == ' ')) {
    message.pop_back();
  }
  return message;
}

[[noreturn]] void Fail(DWORD code, std::string_view what, std::string_view path) {
  throw RunError(ErrorFor(code), std::string(what) + " " + std::string(path) + ": " + SystemMessage(code));
}

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

// Created exclusively beside the target; only this process may open it
// until it is put in place.
HANDLE CreateTemp(const std::wstring& target, std::wstring& temp) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring name = target + WidePath(kTempMark);
    for (int i = 0; i < 6; ++i) name += static_cast<wchar_t>(kLetters[random() % (sizeof kLetters - 1)]);
    const HANDLE h =
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
      temp = name;
      return h;
    }
  }
  SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

bool FileMissing(std::string_view path) {
  if (Attributes(WidePath(NativePath(path))) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD e = GetLastError();
  return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND;
}

Bytes ReadWholeFile(std::string_view path, size_t maxBytes) {
  const std::wstring native = WidePath(NativePath(path));
  const DWORD attributes = Attributes(native);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw RunError(err::PathFileAccess, "cannot read " + std::string(path) + ": it is a folder");
  }
  // Others may go on reading, writing or replacing the file meanwhile, as
  // Palm Desktop expects of a reader.
  Handle file{CreateFileW(native.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) Fail(GetLastError(), "cannot open", path);
  if (GetFileType(file.h) != FILE_TYPE_DISK) {
    throw RunError(err::PathFileAccess, "cannot read " + std::string(path) + ": not a regular file");
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.h, &size)) Fail(GetLastError(), "cannot read", path);
  // The file may grow while it is read: read to its real end, never past the limit.
  return ReadToEnd(path, static_cast<uint64_t>(size.QuadPart), maxBytes, [&](char* into, size_t room) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(room, 1u << 30));
    if (!ReadFile(file.h, into, want, &got, nullptr)) Fail(GetLastError(), "cannot read", path);
    return static_cast<size_t>(got);
  });
}

void CheckReplaceable(std::string_view path) {
  const DWORD attributes = Attributes(WidePath(NativePath(path)));
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) Fail(ERROR_DIRECTORY, "cannot replace", path);
  if (attributes & FILE_ATTRIBUTE_READONLY)
    Fail(ERROR_ACCESS_DENIED, "will not replace the read-only file", path);
}

void WriteFileAtomic(std::string_view path, std::string_view content, const struct stat*) {
  const std::string native = NativePath(path);
  const std::wstring target = WidePath(native);
  const std::string shown(path);
  const DWORD oldAttributes = Attributes(target);
  const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES;
  if (exists) CheckReplaceable(path);
  RemoveLeftoverTemps(native);
  std::wstring temp;
  Handle file{CreateTemp(target, temp)};
  if (file.h == INVALID_HANDLE_VALUE) Fail(GetLastError(), "cannot create a temporary file beside", shown);
  auto fail = [&](DWORD code, std::string_view what) {
    CloseHandle(file.h);
    file.h = INVALID_HANDLE_VALUE;
    DeleteFileW(temp.c_str());
    Fail(code, what, shown);
  };
  size_t done = 0;
  while (done < content.size()) {
    DWORD wrote = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 30));
    if (!WriteFile(file.h, content.data() + done, want, &wrote, nullptr))
      fail(GetLastError(), "cannot write");
    if (wrote == 0) fail(ERROR_DISK_FULL, "cannot write");
    done += wrote;
  }
  if (!FlushFileBuffers(file.h)) fail(GetLastError(), "cannot flush");
  CloseHandle(file.h);
  file.h = INVALID_HANDLE_VALUE;
  // ReplaceFileW gives the new content the old file's attributes, ACL and
  // creation time; where it cannot (some network shares), a plain move.
  BOOL placed = FALSE;
  if (exists) {
    placed = ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                          nullptr);
  }
  if (!placed) {
    placed = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  if (!placed) {
    const DWORD e = GetLastError();
    DeleteFileW(temp.c_str());
    Fail(e, "cannot replace", shown);
  }
  // Not every ReplaceFileW carries them (Wine's does not), nor does the move.
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (exists && (Attributes(target) & kKept) != (oldAttributes & kKept)) {
    SetFileAttributesW(target.c_str(), oldAttributes & kKept);
  }
}

void CopyFileAtomic(std::string_view from, std::string_view to) { WriteFileAtomic(to, ReadWholeFile(from)); }

}  // namespace mirrin
