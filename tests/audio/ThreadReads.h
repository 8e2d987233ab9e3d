#pragma once
// How many bytes the calling thread has read from files so far (Linux's
// per-thread I/O count): tells which thread decoded a sound, and how much of
// its file it read.

#include <fstream>
#include <string>

inline long bytesReadByThisThread() {
  std::ifstream io("/proc/thread-self/io");
  std::string key;
  long value = -1;
  while (io >> key >> value) {
    if (key == "rchar:") return value;
  }
  return -1;
}
