#pragma once
// The shortest way as an engine-headless input file, and the game's structure as a
// Graphviz chart.
#include <string>

#include "tools/solver/analysis.h"

// One action as engine-headless input, from a state where entry `selection` of `entries`
// carried ones is held: the right-button taps, the move, a frame, the left-button tap.
std::string actionInput(int32_t selection, size_t entries, const Action& action);
// Moves, taps and frames that play `way` in the real engine, then "state".
std::string walkthroughInput(const Exploration& e, const std::vector<uint32_t>& way);
// Views as boxes; the actions that change the view as arrows between them; the actions
// that change variables or the inventory as notes on their view, naming the changes.
std::string dotChart(const Exploration& e);
