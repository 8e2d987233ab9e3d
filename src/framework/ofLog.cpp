#include "framework/ofLog.h"

#include <cstdarg>
#include <cstdio>

namespace {
int threshold = OF_WARNING;

const char* prefixOf(int level) {
  switch (level) {
    case OF_VERBOSE: return "OF_VERBOSE: ";
    case OF_NOTICE: return "OF_NOTICE: ";
    case OF_WARNING: return "OF_WARNING: ";
    case OF_ERROR: return "OF_ERROR: ";
    case OF_FATAL_ERROR: return "OF_FATAL_ERROR: ";
    default: return "";
  }
}
}  // namespace

void ofLog(int level, const char* format, ...) {
  if (level < threshold) return;
  std::fputs(prefixOf(level), stdout);
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
  std::fputc('\n', stdout);
  // A log line must reach the console even if the program dies right after.
  std::fflush(stdout);
}

void ofSetLogLevel(int level) { threshold = level; }

int ofGetLogLevel() { return threshold; }
