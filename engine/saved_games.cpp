// Saving the game to a numbered slot and restoring it.
#include <ctime>

#include "engine/engine.h"
#include "game/save_file.h"
#include "platform/file_bytes.h"
#include "platform/image/file_writer.h"
#include "platform/surface_image_library.h"

// The view's base image with the overlays, a quarter of the size, grey, as JPEG.
bool Engine::writeThumbnail(int slot) {
    GameState& g = state_;
    bool loaded = false;
    std::unique_ptr<Surface> work =
        viewPicture(g.currentView ? g.currentView->baseImage() : std::string(), loaded);
    Surface small;
    if (!work->valid() || small.create(work->format(), 160, 120) != 0) return false;
    drawOverlays(*work);
    // The scaled copy keeps the centre the unscaled copy would have: (-240, -180) puts
    // the quarter-size picture at the top left.
    work->drawScaled(small, -240, -180, nullptr, 0.25f);
    const PictureFormats* formats = host_.services().pictures;
    return formats && writeSurfaceJpeg(*formats, small, folder_.path(slotPictureFile(slot)), true);
}

bool Engine::saveGame(int slot) {
    GameState& g = state_;
    SavedGame saved;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    saveTimeStamp(local, saved.date, saved.time);
    if (g.currentView) {
        saved.view = g.currentView->fileName();
        for (size_t i = 0; i < g.currentView->hotspotCount(); ++i) {
            const Hotspot& h = g.currentView->hotspot(i);
            saved.hotspots.emplace_back(h.name(), h.enabled());
        }
    }
    saved.music = g.music ? g.music->lastMusic() : "NONE";
    saved.musicPlaying = g.music && g.music->isPlaying();
    saved.variables.assign(g.variables.begin(), g.variables.end());
    saved.inventory = g.inventory.items;

    // The picture first: if it cannot be written the old slot stays whole. Each file is
    // written aside and renamed over the old one once complete.
    std::string why;
    if (!writeThumbnail(slot)) {
        why = "could not write " + slotPictureFile(slot);
    } else {
        std::string text = writeSaveText(saved);
        if (!writeFileAtomically(folder_.path(slotStateFile(slot)),
                                 reinterpret_cast<const uint8_t*>(text.data()), text.size()))
            why = "could not write " + slotStateFile(slot);
    }
    if (why.empty()) return true;
    g.console.print("Could not save slot " + std::to_string(slot) + ": " + why, kRed);
    return false;
}

bool Engine::loadGame(int slot) {
    GameState& g = state_;
    const std::string file = slotStateFile(slot);
    auto refuse = [&](const std::string& why) {
        g.console.print("Could not load slot " + std::to_string(slot) + ": " + why, kRed);
        return false;
    };
    // A slot whose view loads a game from its on-load script would otherwise load
    // itself again without end.
    if (loadingGame_) return refuse("a saved game is being restored already");
    std::string text, why;
    if (!folder_.exists(file)) return refuse(file + " does not exist");
    if (readFileBytes(folder_.path(file), kMaxSaveFileBytes, text) != FileRead::Ok)
        return refuse(file + " cannot be read");
    SavedGame saved;
    if (!readSaveText(text, saved, why)) return refuse(file + ": " + why);
    {
        // The view must read without an error before anything of the running game goes.
        Variables scratch;
        SilentSink silent;
        View check(scratch, silent);
        std::string error;
        if (!folder_.exists(saved.view) || !check.load(saved.view, folder_, error))
            return refuse("the view " + saved.view + " cannot be loaded");
    }

    loadingGame_ = true;
    g.variables.clear();
    g.inventory.items.clear();
    g.inventory.selection = -1;
    if (g.music) g.music->setLastMusic(saved.music);
    if (saved.musicPlaying && saved.music != "NONE")
        interpreter_.runScript(Script{"playmusic"}, 0, false);
    interpreter_.runScript(Script{"load " + saved.view}, 0, false);
    // Records go by name; the last record of a name wins.
    if (View* view = g.currentView.get())
        for (const auto& [name, enabled] : saved.hotspots) view->enableHotspots(&name, enabled);
    for (const auto& [name, value] : saved.variables) g.variables[name] = value;
    g.inventory.items.insert(g.inventory.items.end(), saved.inventory.begin(),
                             saved.inventory.end());
    loadingGame_ = false;
    return true;
}
