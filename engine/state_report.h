#pragma once
// The `S key=value` lines of the headless runner's `state` command.
#include <string>
#include <vector>

class Engine;

std::vector<std::string> stateReport(Engine& engine);
