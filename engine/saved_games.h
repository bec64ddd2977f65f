#pragma once
// Saving the game to numbered slots and restoring it. A save's files are written aside at
// once and finished by a worker; until then the page shows the slot from what is kept
// here. A saved game is restored by the one-line scripts a load runs ("playmusic",
// "load VIEW"), then the saved flags, variables and inventory.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/save_writer.h"
#include "game/inventory.h"
#include "script/variables.h"

class Console;
class GameFolder;
class Interpreter;
class MusicControl;
class PictureFormats;
class Scene;
class Screen;
class Surface;

class SavedGames {
public:
    // All outlive the saved games; `screen` and `music` are the engine's, which may come
    // and go. `pictures` (may be null: no thumbnails) encodes and decodes slot pictures.
    SavedGames(const GameFolder& folder, const PictureFormats* pictures, Console& console,
               Scene& scene, const std::unique_ptr<Screen>& screen, Variables& variables,
               Inventory& inventory, const std::unique_ptr<MusicControl>& music,
               Interpreter& interpreter);
    SavedGames(const SavedGames&) = delete;
    SavedGames& operator=(const SavedGames&) = delete;

    // Told when saves the page showed as made have failed (the page shows them again).
    void setFailedSavesListener(std::function<void()> listener) {
        failedSaves_ = std::move(listener);
    }

    // Saves the game to the slot: the state file and thumbnail ("slot%d.sav",
    // "slot%d.jpg") are written aside at once and replace the old pair together on a
    // worker. A failure (a name the file cannot hold, the disk's reason) is named in red
    // and keeps the old slot. True when the save was handed to the worker.
    bool saveGame(int slot);
    // Restores the slot's saved game after checking the whole state file; a missing or
    // damaged file, or a load while another is restoring, changes nothing and is named
    // in red. Waits for unfinished saves first. True when the game was restored.
    bool loadGame(int slot);
    // The slot picture: the view with its overlays, 160x120, grey, as JPEG bytes.
    bool makeThumbnail(std::vector<uint8_t>& jpeg);
    // Waits for every unfinished save and names the failed ones (shutdown, tests).
    void finishSaves();
    // Completes or rolls back saves a crash interrupted, and removes stale temporaries.
    void recoverSaves();
    // Names the saves that failed on the worker; the listener then hears of them.
    void reportFailedSaves();
    // Draws the slot's thumbnail (memory or file) into `thumbnail`.
    void drawSlotPicture(int slot, Surface& thumbnail);

    // Saves the worker has finished are read from their files from now on.
    void forgetFinishedSaves();
    // The date and time of a save still being written, as the page shows it meanwhile;
    // false when the slot has none (its files tell).
    bool freshStamp(int slot, std::string& date, std::string& time) const;

private:
    // A slot whose files are still being written.
    struct FreshSlot {
        std::string date, time;
        std::vector<uint8_t> picture;  // the JPEG file's bytes
    };

    const GameFolder& folder_;
    const PictureFormats* pictures_;
    Console& console_;
    Scene& scene_;
    const std::unique_ptr<Screen>& screen_;
    Variables& variables_;
    Inventory& inventory_;
    const std::unique_ptr<MusicControl>& music_;
    Interpreter& interpreter_;
    std::function<void()> failedSaves_;
    bool loading_ = false;  // a saved game is being restored
    std::map<int, FreshSlot> fresh_;
    // Last, so it finishes its saves before anything above goes.
    SaveWriter writer_;
};
