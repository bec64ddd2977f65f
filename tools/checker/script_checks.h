#pragma once
// Checks one script of a view line by line against the command table: unknown commands,
// word counts, numbers, files, names, labels, the if/elseif/else/endif structure, and the
// conditions and expressions it evaluates.
#include <set>
#include <string>
#include <vector>

#include "tools/checker/diagnostics.h"
#include "tools/checker/file_checks.h"
#include "tools/checker/game_facts.h"

using Script = std::vector<std::string>;

// What the scripts of one view share.
struct ViewScope {
    std::set<std::string> hotspotNames;
    std::set<std::string> images, anims, movies;  // overlay names the view's scripts add
};

// Adds the overlay names the script's add commands create to the scope.
void collectOverlayNames(const Script& script, ViewScope& scope);

// A script and where its lines stand: `where` names the file and hotspot (if any);
// `lineNumbers` holds the file line of each script line.
struct ScriptText {
    const Script& lines;
    const std::vector<int>& lineNumbers;
    Location where;
};

struct ScriptChecks {
    const ViewScope& scope;
    FileChecks& files;
    GameFacts& facts;
    DiagnosticSink& sink;

    void check(const ScriptText& script);
    // A hotspot's condition word ("()" is none).
    void hotspotCondition(const std::string& condition, const Location& at);
};
