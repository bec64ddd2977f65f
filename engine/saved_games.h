#pragma once
// What the engine keeps for its saved games between calls: the worker that finishes the
// saves, what the page shows of the slots still being written, and where the current
// view's picture is held in memory, so a save need not read it again.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/save_writer.h"
#include "platform/surface.h"

struct SavedGames {
    // A slot whose files are still being written, as the page shows it meanwhile.
    struct FreshSlot {
        std::string date, time;
        std::vector<uint8_t> picture;  // the JPEG file's bytes
    };
    std::map<int, FreshSlot> fresh;

    // True while the backdrop holds `viewBase` as read, with nothing drawn on it.
    bool backdropIsView = false;
    std::string viewBase;
    // That backdrop, kept while the save/load page replaces it.
    std::unique_ptr<Surface> keptScene;

    // Last, so it finishes its saves before anything above goes.
    SaveWriter writer;
};
