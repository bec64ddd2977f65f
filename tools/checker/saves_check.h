#pragma once
// Saved games of an earlier release against the game as it is now: each "slotN.sav" of
// a folder is read with the loader's own rules, and whatever a player would lose on
// loading it is reported at its line of the file — a slot that does not load at all
// (error), hotspot records, variables and items the game no longer has (warnings).
#include <string>
#include <vector>

#include "platform/game_folder.h"
#include "tools/checker/diagnostics.h"
#include "tools/checker/game_facts.h"

struct SlotSummary {
    std::string file;  // "slot3.sav"
    bool loads = false;
    int losses = 0;  // warnings for this slot
};

class SavesCheck {
public:
    // `facts` are those of a whole-game check of `game`.
    SavesCheck(const GameFolder& game, const GameFacts& facts) : game_(game), facts_(facts) {}

    // Every "slotN.sav" of `savesDir`, by slot number. False, with `error` set, when the
    // folder cannot be read or holds no saved game.
    bool checkFolder(const std::string& savesDir, std::string& error);
    // One state file's text, reported as `file`.
    SlotSummary checkText(const std::string& file, const std::string& text);

    const std::vector<Diagnostic>& diagnostics() const { return sink_.all(); }
    const std::vector<SlotSummary>& slots() const { return slots_; }

private:
    const GameFolder& game_;
    const GameFacts& facts_;
    DiagnosticSink sink_;
    std::vector<SlotSummary> slots_;
};

// "N" of "slotN.sav" (N decimal digits, 1 to 9 of them); 0 for any other name.
int savedSlotNumber(const std::string& fileName);
