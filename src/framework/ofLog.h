#pragma once
// Console logging of the framework: one line per message on standard output,
// prefixed by its level, filtered by a process-wide threshold.

enum ofLogLevel {
  OF_VERBOSE = 0,
  OF_NOTICE = 1,
  OF_WARNING = 2,
  OF_ERROR = 3,
  OF_FATAL_ERROR = 4,
};

// Prints the printf-formatted message with its level prefix and a newline,
// unless level is below the threshold (OF_WARNING by default).
void ofLog(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Sets the threshold below which ofLog prints nothing.
void ofSetLogLevel(int level);
int ofGetLogLevel();
