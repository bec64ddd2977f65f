#pragma once
// What the checks of every view gather for the checks that need the whole game: which
// variables are set and read, which hotspots scripts switch off, which views are loaded.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tools/checker/diagnostics.h"

struct GameFacts {
    std::set<std::string> assigned;  // names "let" sets
    // Each name read, at the first place it is read.
    std::vector<std::pair<std::string, Location>> firstReads;
    std::set<std::string> read;
    std::set<std::string> disabledHotspots;  // names given to "disablehs"
    // Views named by "load", where they are named.
    std::vector<std::pair<std::string, Location>> loads;

    void noteRead(const std::string& name, const Location& at) {
        if (read.insert(name).second) firstReads.emplace_back(name, at);
    }
};
