#pragma once
// Variables a game only counts and never reads: no condition, no "if", no other
// variable's assignment and no command word names them; only their own "let" lines (and
// "echo", which only prints) do. Their values cannot change what any later click does,
// so the search leaves them out of its states, and a counter like "wishes=wishes+1"
// does not make the game look endless.
#include <set>
#include <string>
#include <vector>

// From the lines of every view file of the game (keyword lines, conditions and scripts
// alike); anything it cannot place counts as a read.
std::set<std::string> unreadVariables(const std::vector<std::string>& lines);
// The lines of every ".scn" file in the folder; with `files`, also their names.
std::vector<std::string> viewFileLines(const std::string& folder,
                                       std::set<std::string>* files = nullptr);
