#pragma once
// The shortest way as an engine-headless input file, and the game's structure as a
// Graphviz chart.
#include <string>

#include "tools/solver/analysis.h"

// Moves, taps and frames that play `way` in the real engine, then "state".
std::string walkthroughInput(const Exploration& e, const std::vector<uint32_t>& way);
// Views as boxes; the actions that change the view as arrows between them; the actions
// that change variables or the inventory as notes on their view, naming the changes.
std::string dotChart(const Exploration& e);
