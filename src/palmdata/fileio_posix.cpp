#include "palmdata/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "palmdata/errors.h"
#include "palmdata/readtoend.h"

namespace fs = std::filesystem;

namespace mirrin {

namespace {

int ErrorFor(int errnoValue) {
  switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
      return err::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return err::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
      return err::DiskFull;
    default:
      return err::PathFileAccess;
  }
}

[[noreturn]] void Fail(int errnoValue, std::string_view what, std::string_view path) {
  throw RunError(ErrorFor(errnoValue),
                 std::string(what) + " " + std::string(path) + ": " + std::strerror(errnoValue));
}

}  // namespace

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
    throw RunError(err::PathFileAccess,
                   "cannot read " + std::string(path) +
                       (S_ISDIR(st.st_mode) ? ": it is a folder" : ": not a regular file"));
  }
  // The file may grow while it is read: read to its real end, never past the limit.
  return ReadToEnd(path, static_cast<uint64_t>(st.st_size), maxBytes, [&](char* into, size_t room) {
    for (;;) {
      const ssize_t n = ::read(fd, into, room);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) Fail(errno, "cannot read", path);
      return static_cast<size_t>(n);
    }
  });
}

namespace {

// The file a write really replaces: a symlink is followed to its target, so
// the link stays a link and the file it names gets the new content.
fs::path WriteTarget(const std::string& native) {
  fs::path target = native;
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(target, ec); ++hops) {
    const fs::path link = fs::read_symlink(target, ec);
    if (ec) break;
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  return target;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the data is safe in the file; only the name may lag behind
  ::fsync(fd);
  ::close(fd);
}

// Created exclusively, never through a link someone placed there, readable
// by the owner alone until the final mode is set.
int CreateTemp(const fs::path& target, std::string& temp) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = target.string() + std::string(kTempMark);
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) {
      temp = name;
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

// The mode a new file gets when there is nothing to keep.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void CheckReplaceable(std::string_view path) {
  const fs::path target = WriteTarget(NativePath(path));
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return;
  if (!S_ISREG(st.st_mode)) Fail(EISDIR, "cannot replace", path);
  // Root passes every permission check; a file nobody may write is still
  // not to be replaced.
  if (::access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0) {
    Fail(EACCES, "will not replace the read-only file", path);
  }
}

void WriteFileAtomic(std::string_view path, std::string_view content, const struct stat* like) {
  const fs::path target = WriteTarget(NativePath(path));
  const std::string shown(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists) CheckReplaceable(path);
  RemoveLeftoverTemps(target.string());
  std::string temp;
  const int fd = CreateTemp(target, temp);
  if (fd < 0) Fail(errno, "cannot create a temporary file beside", shown);
  auto fail = [&](std::string_view what) {
    const int e = errno ? errno : EIO;
    ::close(fd);
    ::unlink(temp.c_str());
    Fail(e, what, shown);
  };
  size_t done = 0;
  while (done < content.size()) {
    errno = 0;
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      fail("cannot write");
    }
    done += static_cast<size_t>(n);
  }
  // The owner can be kept only by a privileged process, the group by a
  // member of it; keeping them is best effort. The mode is set afterwards,
  // as chown may clear set-id bits.
  const struct stat* owner = exists ? &old : like;
  if (owner && ::fchown(fd, owner->st_uid, owner->st_gid) != 0 &&
      ::fchown(fd, static_cast<uid_t>(-1), owner->st_gid) != 0) {
    errno = 0;
  }
  mode_t mode = like ? like->st_mode & 0777 : NewFileMode();
  if (exists) mode = old.st_mode & (like ? 07000 | mode : 07777);
  if (::fchmod(fd, mode) != 0) fail("cannot set the mode of");
  if (::fsync(fd) != 0) fail("cannot flush");
  if (::close(fd) != 0) {
    const int e = errno;
    ::unlink(temp.c_str());
    Fail(e, "cannot flush", shown);
  }
  SyncFolder(target.parent_path());
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int e = errno;
    ::unlink(temp.c_str());
    Fail(e, "cannot replace", shown);
  }
  SyncFolder(target.parent_path());
}

void CopyFileAtomic(std::string_view from, std::string_view to) {
  // A copy is never less private than the file it copies.
  struct stat source {};
  const bool known = ::stat(WriteTarget(NativePath(from)).c_str(), &source) == 0;
  WriteFileAtomic(to, ReadWholeFile(from), known ? &source : nullptr);
}

}  // namespace mirrin
