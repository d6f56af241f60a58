#pragma once
// Whole-file reading and never-half-written file replacement. Paths are
// given as configured (backslashes, as Palm Desktop's own paths are); each
// function turns them into native paths itself.
#include <sys/stat.h>

#include <string>
#include <string_view>

#include "palmdata/binio.h"

namespace mirrin {

// Backslashes become the native separator; on Linux a component that does
// not exist is looked up again without regard to letter case, since the
// configured paths come from a system that ignores case.
std::string NativePath(std::string_view configured);

bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);

// True only when nothing exists at the path. A path that cannot be looked
// at (a folder without permission, a symlink loop) is not missing: reading
// it gives the error, so an unreadable file is never taken for an empty one.
bool FileMissing(std::string_view path);

// Data files are refused above this size rather than read into memory.
constexpr size_t kMaxDataFileBytes = size_t{256} << 20;

// Reads a regular file whole: error 53 when missing, 70 when not readable,
// 75 for anything else (a folder, a FIFO or device, a file over maxBytes);
// the error names the file and the reason. Never blocks on a FIFO.
Bytes ReadWholeFile(std::string_view path, size_t maxBytes = kMaxDataFileBytes);

// Replaces the file whole or not at all: the content goes to a new file
// beside the target (created exclusively, mode 0600), which is flushed and
// renamed over it, and the folder is flushed. On Windows ReplaceFileW puts
// it in place, keeping the old file's attributes and ACL, and `like` is
// not used. A symlink is written through
// to its target; the target keeps its mode (and its owner and group where
// the process may set them). A file without write permission is not
// replaced (error 70). A file that does not exist yet gets the mode, owner
// and group of `like` (without it: 0666 less the umask, and the process's
// owner); an existing file's mode is narrowed to like's. Leftover temporary
// files of a killed save are removed. Errors name the file and the system's
// reason; the old file is then untouched.
void WriteFileAtomic(std::string_view path, std::string_view content, const struct stat* like = nullptr);

// Error 70 when path exists and may not be replaced: it has no write
// permission for this process, or none for anyone (root passes the first
// test), or it is not a regular file.
void CheckReplaceable(std::string_view path);

// Replaces `to` with the content of `from`, atomically as above; the copy
// is never readable by more than `from` is.
void CopyFileAtomic(std::string_view from, std::string_view to);

bool RemoveFile(std::string_view path);

// The mark between a data file's name and the letters of its temporary copy.
inline constexpr std::string_view kTempMark = ".mirrin-";

// Removes the temporary files a killed save left beside the native path
// `target`: its name, the mark and six letters (or "new", of older versions).
void RemoveLeftoverTemps(std::string_view nativeTarget);

// Whether two configured paths name the same folder (or file): one user
// folder must never be both users'.
bool SamePlace(std::string_view a, std::string_view b);

}  // namespace mirrin
