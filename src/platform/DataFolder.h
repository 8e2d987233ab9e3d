#pragma once
// Finding the game's data folder from wherever the game is started: the
// folder ORVANE_DATA names, "data" in the working folder, "data" beside the
// program, or "../share/orvane/data" from the program (an installed game).
// Places beside the program are found from where the program is, never from
// a path built in, so an installed tree still works after it is moved.

#include <string>
#include <vector>

struct DataFolderSearch {
  struct Candidate {
    std::string folder;  // as it is tried
    std::string why;     // where it comes from: "ORVANE_DATA", "working folder"...
    // What was wrong with it ("it holds no data.xml"); "" for the one found
    // and for those after it, which are not looked at.
    std::string problem;
  };
  std::vector<Candidate> tried;  // in order
  std::string found;             // the first that is a folder; "" for none
};

// The places in the order they are tried. variable is ORVANE_DATA's value
// (left out when empty); program is the program's own path (the two places
// beside it are left out when it is empty).
std::vector<DataFolderSearch::Candidate> dataFolderCandidates(const std::string& variable,
                                                              const std::string& program);

// The first candidate that is a folder holding a data.xml the game can
// read (links count); each one passed over says what was wrong with it.
DataFolderSearch findDataFolder(std::vector<DataFolderSearch::Candidate> candidates);

// The search as the game runs it: ORVANE_DATA, the working folder and the
// program's path read from /proc/self/exe.
DataFolderSearch searchDataFolder();

// What the game says, in the window and on the terminal, when no candidate
// was found: one line each, short enough for the window.
std::vector<std::string> noDataFolderLines(const DataFolderSearch& search);
