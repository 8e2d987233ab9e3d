#pragma once
// Number-to-text conversions and the resolution of file names against the
// data folder.

#include <string>

// Decimal text: a leading "-" for negatives, no padding.
std::string ofToString(int value);
// Fixed notation with exactly precision digits after the point (0: no point).
std::string ofToString(double value, int precision);
// "true" or "false".
std::string ofToString(bool value);

// The first integer a "%d" scan reads ("12abc" 12, " -7" -7, "3.9" 3); 0 when
// the text does not begin with a number.
int ofToInt(const std::string& text);
// The same with "%f" into a float ("2.5x" 2.5); 0 when there is no number
// or when it is not finite ("nan", "inf", "1e39").
float ofToFloat(const std::string& text);

// True when path names a regular file. Loaders check this first: reading a
// device or a pipe named in a data file could wait forever.
bool ofIsRegularFile(const std::string& path);

// Sets the data folder that relative names resolve against ("data/" until
// set); a "/" is added to the end when missing. The program finds its data
// folder before anything loads and sets it once.
void ofSetDataPathRoot(const std::string& folder);
// The data folder as set, ending in "/".
const std::string& ofGetDataPathRoot();

// Puts the data folder (ofGetDataPathRoot) in front of a relative name.
// Names that start with "/", with a drive letter ("c:") or with the data
// folder itself are returned unchanged. makeAbsolute is accepted and ignored.
std::string ofToDataPath(const std::string& path, bool makeAbsolute = false);
