#include "framework/ofFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
std::string errorText(int number) { return std::strerror(number); }

// Why a file of this kind is not read; empty for a regular file.
std::string refusal(const struct stat& st, size_t maxBytes) {
  if (S_ISDIR(st.st_mode)) return "is a folder, not a file";
  if (S_ISFIFO(st.st_mode)) return "is a pipe, not a file";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "is a device, not a file";
  if (S_ISSOCK(st.st_mode)) return "is a socket, not a file";
  if (!S_ISREG(st.st_mode)) return "is not a regular file";
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
    return "is larger than " + std::to_string(maxBytes) + " bytes";
  }
  return "";
}

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Where a write to path lands: through any symbolic links to the file they
// name, so that a link the player made keeps pointing at their file.
std::string writeTarget(const std::string& path) {
  std::string target = path;
  std::error_code error;
  for (int hops = 0; hops < 32 && fs::is_symlink(fs::symlink_status(target, error)); ++hops) {
    const fs::path link = fs::read_symlink(target, error);
    if (error) break;
    target = (link.is_absolute() ? link : fs::path(target).parent_path() / link).string();
  }
  return target;
}

void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // a folder on a file system without it still has the file
  ::close(fd);
}

mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}
}  // namespace

ofFileRead ofReadFile(const std::string& path, size_t maxBytes) {
  ofFileRead read;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    read.missing = errno == ENOENT;
    read.error = errorText(errno);
    return read;
  }
  read.error = refusal(st, maxBytes);
  if (!read.error.empty()) return read;
  // Non-blocking: should a pipe take the file's place after the look, the
  // open still returns at once, and the second look refuses it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    read.error = errorText(errno);
    return read;
  }
  if (::fstat(fd, &st) == 0) read.error = refusal(st, maxBytes);
  char buffer[65536];
  while (read.error.empty()) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) read.error = errorText(errno);
    if (n <= 0) break;
    read.bytes.append(buffer, static_cast<size_t>(n));
    if (read.bytes.size() > maxBytes) {
      read.error = "is larger than " + std::to_string(maxBytes) + " bytes";
    }
  }
  ::close(fd);
  read.ok = read.error.empty();
  if (!read.ok) read.bytes.clear();
  return read;
}

bool ofWriteFile(const std::string& path, const std::string& bytes, std::string& error) {
  const std::string target = writeTarget(path);
  const fs::path where(target);
  const std::string folder = where.has_parent_path() ? where.parent_path().string() : ".";
  std::string temporary = folder + "/." + where.filename().string() + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    error = errorText(errno);
    return false;
  }
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
  // A mode it cannot take is no reason to lose the save.
  (void)::fchmod(fd, mode);
  errno = 0;
  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  if (!ok) error = errorText(errno != 0 ? errno : ENOSPC);
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errorText(errno);
  }
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errorText(errno);
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolder(folder);
  return true;
}

ofFileLock::ofFileLock(const std::string& path) {
  fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return;
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    ::close(fd);
    fd = -1;
    return;
  }
}

ofFileLock::~ofFileLock() {
  if (fd >= 0) ::close(fd);  // closing lets go of the lock
}
