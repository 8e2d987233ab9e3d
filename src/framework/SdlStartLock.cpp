#include "framework/SdlStartLock.h"

std::mutex& sdlStartLock() {
  static std::mutex lock;
  return lock;
}
