#pragma once
// The program's one way to read a whole file and one way to write one.
// Reading checks what the path is before it opens it for reading: a
// folder, a pipe, a device or an oversized file is refused with a reason,
// and nothing blocks. Writing goes through a uniquely named temporary file
// in the same folder, flushed to disk and renamed over the target, the
// folder flushed after: a crash or a full disk leaves the old file or the
// new one, never half of either, and two programs writing at once never
// share a temporary file. A symbolic link is written through, not replaced.

#include <cstddef>
#include <string>

// What a read found. When ok is false, error says why in words that follow
// the path in a message ("is a folder", "No such file or directory").
struct ofFileRead {
  bool ok = false;
  // Nothing is at the path (the one failure callers often take calmly).
  bool missing = false;
  std::string bytes;
  std::string error;
};

// The largest file read unless a caller asks for another bound: no file
// the game reads comes near it.
constexpr size_t ofFileReadLimit = 64u << 20;

// Reads the whole regular file at path (taken as given, not resolved
// against the data folder).
ofFileRead ofReadFile(const std::string& path, size_t maxBytes = ofFileReadLimit);

// Writes bytes as the whole content of path. False, with the reason in
// error, when the content could not be made whole on disk; the old file is
// then as it was. A new file gets the permissions the process's umask
// gives; a file written over keeps its own.
bool ofWriteFile(const std::string& path, const std::string& bytes, std::string& error);

// Holds an exclusive advisory lock on path + ".lock" (made when missing)
// for its lifetime, so that two running games read, merge and write one
// file in turn. Without a lock (a read-only folder) locked() is false and
// the caller goes on unlocked.
class ofFileLock {
 public:
  explicit ofFileLock(const std::string& path);
  ~ofFileLock();
  ofFileLock(const ofFileLock&) = delete;
  ofFileLock& operator=(const ofFileLock&) = delete;
  bool locked() const { return fd >= 0; }

 private:
  int fd = -1;
};
