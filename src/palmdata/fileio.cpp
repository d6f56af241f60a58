#include "palmdata/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "palmdata/errors.h"

namespace fs = std::filesystem;

namespace mirrin {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

int ErrorFor(int errnoValue) {
  switch (errnoValue) {
    case ENOENT:
    case ENOTDIR: return err::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return err::PermissionDenied;
    default: return err::PathFileAccess;
  }
}

[[noreturn]] void Fail(int errnoValue, std::string_view what, std::string_view path) {
  throw RunError(ErrorFor(errnoValue), std::string(what) + " " + std::string(path) + ": " +
                                           std::strerror(errnoValue));
}

}  // namespace

std::string NativePath(std::string_view configured) {
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
}

bool FileExists(std::string_view path) {
  std::error_code ec;
  return fs::is_regular_file(NativePath(path), ec);
}

bool DirectoryExists(std::string_view path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(NativePath(path), ec);
}

bool FileMissing(std::string_view path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) != 0 && errno == ENOENT;
}

Bytes ReadWholeFile(std::string_view path, size_t maxBytes) {
  const std::string native = NativePath(path);
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) Fail(errno, "cannot open", path);
  struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) Fail(errno, "cannot read", path);
  if (!S_ISREG(st.st_mode)) {
    throw RunError(err::PathFileAccess, "cannot read " + std::string(path) +
                                            (S_ISDIR(st.st_mode) ? ": it is a folder" : ": not a regular file"));
  }
  const auto tooLarge = [&](uint64_t size) {
    return RunError(err::PathFileAccess, "cannot read " + std::string(path) + ": " +
                                             std::to_string(size) + " bytes, more than the " +
                                             std::to_string(maxBytes) + " allowed");
  };
  if (static_cast<uint64_t>(st.st_size) > maxBytes) throw tooLarge(static_cast<uint64_t>(st.st_size));
  // The file may grow while it is read: read to its real end, never past the limit.
  Bytes data(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  for (;;) {
    if (done == data.size()) {
      if (done > maxBytes) throw tooLarge(done);
      data.resize(std::min(maxBytes + 1, done + 4096));
    }
    const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno, "cannot read", path);
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  data.resize(done);
  return data;
}

void WriteFileAtomic(std::string_view path, std::string_view content) {
  const std::string native = NativePath(path);
  const std::string temp = native + ".mirrin-new";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) Fail(errno, "cannot create", temp);
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int e = n < 0 ? errno : ENOSPC;
      ::close(fd);
      ::unlink(temp.c_str());
      Fail(e, "cannot write", temp);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const int e = errno;
    ::unlink(temp.c_str());
    Fail(e, "cannot flush", temp);
  }
  if (::rename(temp.c_str(), native.c_str()) != 0) {
    const int e = errno;
    ::unlink(temp.c_str());
    Fail(e, "cannot replace", path);
  }
}

void CopyFileAtomic(std::string_view from, std::string_view to) {
  WriteFileAtomic(to, ReadWholeFile(from));
}

bool RemoveFile(std::string_view path) {
  std::error_code ec;
  return fs::remove(NativePath(path), ec);
}

}  // namespace mirrin
