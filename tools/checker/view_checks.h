#pragma once
// Reads one view file with the engine's own reader and checks what it holds: the
// reading error with its line, the base image, every hotspot's fields and polygon, and
// the on-load and click scripts.
#include <string>
#include <vector>

#include "tools/checker/diagnostics.h"
#include "tools/checker/file_checks.h"
#include "tools/checker/game_facts.h"

class ViewChecks {
public:
    ViewChecks(FileChecks& files, GameFacts& facts, DiagnosticSink& sink)
        : files_(files), facts_(facts), sink_(sink) {}

    // Checks the view file the game calls `fileName`; it must exist.
    void check(const std::string& fileName);
    // Once every view is read (scripts anywhere may switch a hotspot off): hotspots that
    // lie wholly under a later, always active one.
    void reportCoveredHotspots();

private:
    struct Covering {
        Location under;
        std::string over;
        int overLine;
    };

    FileChecks& files_;
    GameFacts& facts_;
    DiagnosticSink& sink_;
    std::vector<Covering> coverings_;
};
