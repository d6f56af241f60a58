#pragma once
// Whole-file reading and never-half-written file replacement. Paths are
// given as configured (backslashes, as Palm Desktop's own paths are); each
// function turns them into native paths itself.
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

// Writes the complete content beside the target, flushes it to disk and
// renames it over the target; on any failure the old file is untouched and
// error 70 or 75 is raised.
void WriteFileAtomic(std::string_view path, std::string_view content);

// Replaces `to` with the content of `from`, atomically as above.
void CopyFileAtomic(std::string_view from, std::string_view to);

bool RemoveFile(std::string_view path);

}  // namespace mirrin
