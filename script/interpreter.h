#pragma once
// Runs scripts: lists of trimmed lines of blank-separated words.
#include <string>
#include <vector>

using Script = std::vector<std::string>;

std::vector<std::string> splitWords(const std::string& line);
// depth: nesting of scripts run by view loads; fromConsole: a typed console line,
// where block statements are refused.
void runScript(const Script& script, int depth, bool fromConsole);

// Interpreter state that outlives a script.
bool echoLines();
void setEchoLines(bool on);
const std::string& pendingLabel();
void setPendingLabel(const std::string& label);
// Back to the start-up state: echo on, no pending jump.
void resetInterpreter();

// Views one outermost script may load, its nested scripts included; beyond it "load"
// is refused, so broken views that load each other cannot multiply without end.
constexpr int kMaxViewLoadsPerScript = 256;
// Counts a view load against that budget; false when it is spent.
bool takeViewLoad();

// Deepest nesting of invocations (blocks and views loaded from on-load scripts).
constexpr int kMaxScriptDepth = 48;
