#pragma once
// Words typed on the console: the editors ask for file names, guids and ids
// this way. The frame loop waits while a word is read.

#include <iosfwd>
#include <string>

// Prints prompt (if not empty) and reads one whitespace-delimited word of any
// length. False, with word untouched, at end of input.
bool ofReadConsoleWord(const std::string& prompt, std::string& word);
// Replaces standard input for console reads (nullptr restores it); for tests.
void ofSetConsoleInput(std::istream* in);
