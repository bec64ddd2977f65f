#pragma once
// "Check View": the open view is written into a throw-away game folder beside the
// game's files (as Test View does) and vorlen-check is asked about that one view with
// --json; its lines are read back here. Display-free, so the tests drive it directly.
#include <string>
#include <vector>

#include "tools/checker/diagnostics.h"

namespace checkview {

// The checker program: beside the editor, one folder up (the build tree), or on the
// search path. Empty when none is found.
std::string findChecker(const std::string& editorFolder);

// The checker's arguments for the folder prepared by testview::prepareFolder, where the
// view is "init.scn".
std::vector<std::string> checkerArguments(const std::string& folder);

// The problems in the checker's standard output: one JSON line each; other lines are
// skipped.
std::vector<Diagnostic> parseOutput(const std::string& output);

// How the dock lists a problem: "12: error: text", with the hotspot's name when the
// line belongs to one.
std::string listText(const Diagnostic& d);

}  // namespace checkview
