#pragma once
// The checker: a whole game from "init.scn" along every view a script can load, then
// every other view file of the folder, the engine's fixed-name files and the checks that
// need the whole game; or one view with the files it names.
#include <string>
#include <vector>

#include "platform/game_folder.h"
#include "tools/checker/diagnostics.h"
#include "tools/checker/file_probe.h"
#include "tools/checker/game_facts.h"

class GameCheck {
public:
    GameCheck(const GameFolder& folder, MediaReaders readers);

    // False, with `error` set, when the folder cannot be read.
    bool checkGame(std::string& error);
    // One view file (relative to the folder) and the files it names; the other views are
    // read only for the variables they set. False, with `error` set, when the folder
    // cannot be read.
    bool checkView(const std::string& fileName, std::string& error);

    // What was found: views in the order they were reached, each by line; then the
    // engine's fixed-name files.
    const std::vector<Diagnostic>& diagnostics() const { return sink_.all(); }
    int errorCount() const;
    int warningCount() const;
    // The views read, in order.
    const std::vector<std::string>& views() const { return order_; }
    // What checkGame gathered over the whole game: variables set and read, views loaded.
    const GameFacts& facts() const { return facts_; }

private:
    bool listViews(std::vector<std::string>& views, std::string& error) const;
    void reportUnassignedReads(GameFacts& facts);
    void sortDiagnostics();

    const GameFolder& folder_;
    MediaReaders readers_;
    DiagnosticSink sink_;
    std::vector<std::string> order_;
    GameFacts facts_;
};
