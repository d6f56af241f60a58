#include "palmdata/fileio.h"

#include <algorithm>
#include <filesystem>

#include "palmdata/errors.h"
#include "palmdata/pathtext.h"
#include "palmdata/readtoend.h"

namespace fs = std::filesystem;

namespace mirrin {

#ifndef _WIN32
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

}  // namespace
#endif

std::string NativePath(std::string_view configured) {
#ifdef _WIN32
  // Backslashes are native and letter case does not matter.
  return std::string(configured);
#else
  std::string p(configured);
  std::replace(p.begin(), p.end(), '\\', '/');
  if (p.empty()) return p;
  std::error_code ec;
  if (fs::exists(p, ec)) return p;
  // Walk the components, mending the case of each one that is missing.
  fs::path in(p), out;
  for (const auto& part : in) {
    fs::path next = out / part;
    if (!out.empty() && !fs::exists(next, ec) && fs::is_directory(out, ec)) {
      const std::string want = Lower(part.string());
      for (const auto& entry : fs::directory_iterator(out, ec)) {
        if (Lower(entry.path().filename().string()) == want) {
          next = entry.path();
          break;
        }
      }
    }
    out = next;
  }
  return out.string();
#endif
}

bool FileExists(std::string_view path) {
  std::error_code ec;
  return fs::is_regular_file(FsPath(NativePath(path)), ec);
}

bool DirectoryExists(std::string_view path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(FsPath(NativePath(path)), ec);
}

// Temporary files an earlier save left behind when it was killed: the
// target's name, the mark and six letters (or "new", of older versions).
void RemoveLeftoverTemps(std::string_view nativeTarget) {
  const fs::path target = FsPath(nativeTarget);
  const std::string prefix = PathText(target.filename()) + std::string(kTempMark);
  std::error_code ec;
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = PathText(entry.path().filename());
    if (!name.starts_with(prefix)) continue;
    const size_t rest = name.size() - prefix.size();
    if ((rest == 6 || name.ends_with(".mirrin-new")) && entry.is_regular_file(ec) && !entry.is_symlink(ec)) {
      fs::remove(entry.path(), ec);
    }
  }
}

bool RemoveFile(std::string_view path) {
  std::error_code ec;
  return fs::remove(FsPath(NativePath(path)), ec);
}

bool SamePlace(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  const fs::path na = FsPath(NativePath(a)), nb = FsPath(NativePath(b));
  std::error_code ec;
  if (fs::equivalent(na, nb, ec)) return true;
  return fs::weakly_canonical(na, ec) == fs::weakly_canonical(nb, ec);
}

Bytes ReadToEnd(std::string_view path, uint64_t size, size_t maxBytes,
                const std::function<size_t(char* into, size_t room)>& readSome) {
  const auto tooLarge = [&](uint64_t bytes) {
    return RunError(err::PathFileAccess, "cannot read " + std::string(path) + ": " + std::to_string(bytes) +
                                             " bytes, more than the " + std::to_string(maxBytes) +
                                             " allowed");
  };
  if (size > maxBytes) throw tooLarge(size);
  Bytes data(static_cast<size_t>(size), '\0');
  size_t done = 0;
  for (;;) {
    if (done == data.size()) {
      // Full as sized: look for more in a small buffer first, so that the usual
      // file, which has ended, is not copied into a string grown for nothing.
      char probe[4096];
      const size_t got = readSome(probe, sizeof probe);
      if (got == 0) break;
      if (done + got > maxBytes) throw tooLarge(done + got);
      data.append(probe, got);
      done += got;
      continue;
    }
    const size_t got = readSome(data.data() + done, data.size() - done);
    if (got == 0) break;
    done += got;
  }
  data.resize(done);
  return data;
}

}  // namespace mirrin
