#pragma once
// The search: every state a player can reach, breadth first from start-up, on the
// logic-only engine. A state is the game's snapshot as a compact byte string; equal
// strings are one state. Each state keeps the step that first reached it, so the
// shortest way to any state can be read back.
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/game_snapshot.h"

struct SolveOptions {
    std::string folder = ".";
    size_t maxStates = 1000000;
    int maxDepth = -1;  // none
    int threads = 1;
    // Left out of every state (see unread_variables.h), as found in the view files
    // `scanned`. Should the game reach a view file not among them, the search runs
    // again keeping every variable.
    std::set<std::string> unread;
    std::set<std::string> scanned;
};

// A player's action: the left button on a hotspot at a point where it takes the click,
// with an inventory entry held (-1: none).
struct Action {
    int32_t hotspot = -1;
    int32_t selection = -1;
    int32_t x = 0, y = 0;
};

struct Transition {
    uint32_t from = 0, to = 0;
    Action action;
};

// What the search learns about a view while it explores.
struct ViewFacts {
    std::string name;
    std::vector<std::string> hotspots;  // names, in list order
    std::vector<int> cursors;
    std::vector<bool> clickable;  // in some reachable state
};

struct Exploration {
    bool started = false;            // start-up succeeded
    std::deque<std::string> states;  // encoded snapshots; 0 is the start
    std::vector<uint32_t> parent;    // the state the first way came from (0 for the start)
    std::vector<uint32_t> via;       // index into transitions of that step
    std::vector<uint32_t> depth;
    std::vector<bool> ending;    // the game ended in this state
    std::vector<bool> expanded;  // its actions were tried
    std::vector<Transition> transitions;

    std::map<std::string, ViewFacts> views;  // by file name, the views reached
    std::map<std::string, int32_t> itemTable;
    std::set<int32_t> itemsObtained;
    std::map<std::string, std::set<int32_t>> values;  // each variable's values
    std::map<std::string, uint32_t> lastNewValue;     // depth a new value last appeared

    std::set<std::string> unread;  // variables left out of the states
    bool incomplete = false;       // a bound stopped the search
    std::string boundHit;          // "states" or "depth"
    uint32_t maxDepthReached = 0;
    double seconds = 0;
    size_t stateBytes = 0;  // bytes of the encoded states

    size_t size() const { return states.size(); }
    GameSnapshot snapshot(uint32_t state) const;
};

// Runs the whole search. False only when the engine could not start the game.
// The unread variables and the view files they were found in, for `options`.
void findUnreadVariables(SolveOptions& options);
bool explore(const SolveOptions& options, Exploration& out);

// The snapshot as the search stores it, without what no later click can observe: the
// pointer (only drawing reads it), "cursor" and "cursorinv" (every click sets them
// afresh before its script runs) and the unread variables.
std::string stateKey(GameSnapshot snapshot, const std::set<std::string>& unread);
