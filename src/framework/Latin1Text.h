#pragma once
// Words as the program keeps them: UTF-8, holding the characters the bitmap
// font draws, printable ASCII (32..126) and the Latin-1 letters and signs
// (160..255, é, ü, ß, £ ...). The keyboard callback gives those as single
// Latin-1 codes; files and the terminal carry them as UTF-8.

#include <cstddef>
#include <string>

// code is printable ASCII or a Latin-1 letter or sign.
bool isLatin1Printable(int code);
// Appends the character of that Latin-1 code as UTF-8 (one byte below 128,
// two from 128 on).
void appendLatin1(std::string& text, int code);
// The Latin-1 code of the UTF-8 character starting at text[at], with its
// length in bytes. A byte that starts no character of 0..255 (a lone or
// misplaced byte, or the first of a character beyond Latin-1) is code -1,
// length 1.
int latin1At(const std::string& text, size_t at, size_t& length);
// text is whole UTF-8 and every character isLatin1Printable.
bool isLatin1Word(const std::string& text);
// Removes the last character, all of its bytes.
void popLastCharacter(std::string& text);
// How many characters text holds (each UTF-8 character counts once).
size_t characterCount(const std::string& text);
