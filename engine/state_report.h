#pragma once
// The `S key=value` lines of the headless runner's `state` command.
#include <string>
#include <vector>

std::vector<std::string> stateReport();
