#pragma once
// One of the player's record files (progress, a ghost) as it stands before
// it is loaded or written over: read whole through the program's one
// reader, up to a bound, and told apart as missing, there but not readable
// (left alone: it may well hold the player's record), damaged (kept aside
// before a save replaces it) or read.

#include <cstddef>
#include <optional>
#include <string>

class XmlSettings;

struct RecordFile {
  enum class State {
    missing,     // nothing at the path, nor at a folder on the way to it
    unreadable,  // something is there, but its bytes cannot be had
    damaged,     // its bytes hold no element, a broken one, or too many
    read,        // its first element is in the XmlSettings given
  };
  State state = State::missing;
  // Why it is unreadable or damaged, in words that follow the path
  // ("is a pipe, not a file", "line 3: Error reading end tag.").
  std::string why;
  // Of a file read, what lies after its first element ("an element <Notes>
  // after it", "text after it"); empty when nothing but comments and blanks.
  std::string after;
};

// Reads the file at path, at most maxBytes of it (a larger file is
// damaged), and parses its first element into xml.
RecordFile readRecordFile(const std::string& path, size_t maxBytes, XmlSettings& xml);

// A time in milliseconds as the record files write it: the shortest text
// that reads back as the same float, whatever the locale.
std::string recordTimeText(float ms);
// A time read back: the whole text as a finite number not below zero;
// anything else ("12ms", "0x10", "nan", "1e39") is none.
std::optional<float> parseRecordTime(const std::string& text);
