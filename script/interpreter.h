#pragma once
// Runs scripts: lists of trimmed lines of blank-separated words.
#include <string>
#include <vector>

using Script = std::vector<std::string>;

std::vector<std::string> splitWords(const std::string& line);
// depth: nesting of scripts run by view loads; fromConsole: a typed console line,
// where block statements are refused.
void runScript(const Script& script, int depth, bool fromConsole);
