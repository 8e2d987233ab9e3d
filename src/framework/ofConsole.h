#pragma once
// Words typed on the console: the editors ask for file names, guids and ids
// this way. The frame loop waits while a word is read.

#include <iosfwd>
#include <string>

// Prints prompt (if not empty) and reads one whitespace-delimited word of any
// length from the line typed. False, with word untouched, when that line is
// empty (the user cancels with a bare Enter) or at end of input; words after
// the first on a line answer the next questions.
bool ofReadConsoleWord(const std::string& prompt, std::string& word);
// Replaces standard input for console reads (nullptr restores it); for tests.
void ofSetConsoleInput(std::istream* in);
