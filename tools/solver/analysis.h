#pragma once
// What the explored states say about the game: can it be finished, where a player can
// make it unfinishable, and what the search never met.
#include <string>
#include <vector>

#include "tools/solver/explorer.h"

struct DeadEnd {
    uint32_t state = 0;           // the first state on its way from which no ending is reachable
    std::vector<uint32_t> steps;  // transitions from the start into it; the last is the mistake
    size_t states = 0;            // dead states first reached through this one
};

struct Analysis {
    bool endingReachable = false;
    std::vector<uint32_t> shortestWay;  // transitions, from the start to the ending
    std::vector<DeadEnd> deadEnds;      // ordered by the length of their way
    size_t deadStates = 0;
    std::vector<std::string> neverClickable;  // "view.scn: 'hotspot'"
    std::vector<std::string> viewsNeverReached;
    std::vector<std::string> itemsNeverObtained;
    std::vector<std::string> growing;  // variables still taking new values at a bound
};

Analysis analyse(const Exploration& e, const std::string& folder);

// The transitions from the start to `state` along the first ways found.
std::vector<uint32_t> wayTo(const Exploration& e, uint32_t state);
// "hall: click 'door'" or "hall: click 'altar' holding inv_horse".
std::string describe(const Exploration& e, const Transition& t);
