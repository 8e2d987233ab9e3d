#pragma once
// Lines typed on the terminal the program was started from, read without
// ever waiting: the frame loop goes on drawing while a question is open, and
// the terminal answers only when it has a whole line ready.

#include <iosfwd>
#include <string>

enum class ofConsoleLine {
  none,    // no whole line has been typed yet
  line,    // a line arrived (without its line end)
  closed,  // the end of input, or standard input is not a terminal
};

// Takes one whole typed line, if one is there, without blocking.
ofConsoleLine ofPollConsoleLine(std::string& line);
// Standard input is a terminal (or a test input is installed): questions are
// worth printing there.
bool ofConsoleIsInteractive();
// Replaces standard input for console reads (nullptr restores it); for tests.
void ofSetConsoleInput(std::istream* in);
