// Saving the game to a numbered slot and restoring it.
#include <sys/stat.h>

#include <ctime>

#include "engine/engine.h"
#include "engine/slot_files.h"
#include "game/save_file.h"
#include "platform/file_bytes.h"
#include "platform/image/image_reader.h"
#include "platform/image/imagelib.h"
#include "platform/image/picture.h"

namespace {

constexpr int kViewWidth = 640, kViewHeight = 480;
constexpr int kThumbnailWidth = 160, kThumbnailHeight = 120;

bool isRegularFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

// The view's base image with the overlays, a quarter of the size, grey, as JPEG.
bool Engine::makeThumbnail(std::vector<uint8_t>& jpeg) {
    GameState& g = state_;
    const PictureFormats* formats = host_.services().pictures;
    if (!formats) return false;
    // The picture the player sees is in memory; only a backdrop that is not the view's
    // (the view read with an error, say) sends us to the file.
    std::unique_ptr<Surface> work;
    Surface* source = scene_.viewPictureInMemory();
    const PixelFormat format =
        source ? source->format() : (g.screen ? g.screen->format() : PixelFormat::ofType(16));
    if (source) {
        work = std::make_unique<Surface>();
        if (work->create(format, kViewWidth, kViewHeight) != 0) return false;
        source->draw(*work, 0, 0);
    } else {
        bool loaded = false;
        const View* view = scene_.view();
        work = scene_.viewPicture(view ? view->baseImage() : std::string(), loaded);
    }
    Surface small;
    if (!work->valid() || small.create(work->format(), kThumbnailWidth, kThumbnailHeight) != 0)
        return false;
    scene_.drawOverlays(*work);
    // The scaled copy keeps the centre the unscaled copy would have: (-240, -180) puts
    // the quarter-size picture at the top left.
    work->drawScaled(small, -240, -180, nullptr, 0.25f);

    Picture picture;
    ImageRecord record;
    InitImageRecord(record);
    bool made = small.toPicture(picture) && CopyBitmapToRecord(picture, record, 0) &&
                ConvertRecordToGrey(record);
    if (made) {
        std::unique_ptr<Picture> grey = CopyRecordToBitmap(record);
        made = grey && formats->encode(ImageReader::Jpeg, *grey, 100, jpeg);
    }
    FreeImageRecord(record);
    return made;
}

void Engine::reportFailedSaves() {
    std::vector<SaveWriter::Failure> failures = saves_.writer.takeFailures();
    for (const SaveWriter::Failure& failure : failures) {
        saves_.fresh.erase(failure.slot);
        state_.console.print(
            "Could not save slot " + std::to_string(failure.slot) + ": " + failure.why, kRed);
    }
    // The page showed those slots as saved.
    if (!failures.empty() && (state_.mode == SaveScreen || state_.mode == LoadScreen))
        buildSaveLoadPage();
}

void Engine::finishSaves() {
    saves_.writer.waitForAll();
    reportFailedSaves();
    saves_.fresh.clear();
}

void Engine::recoverSaves() {
    recoverAllSlots(folder_);
}

bool Engine::saveGame(int slot) {
    GameState& g = state_;
    auto refuse = [&](const std::string& why) {
        g.console.print("Could not save slot " + std::to_string(slot) + ": " + why, kRed);
        return false;
    };
    // The slot's last save ends (or is completed) before this one replaces it.
    reportFailedSaves();
    saves_.writer.waitFor(slot);
    reportFailedSaves();
    recoverSlot(folder_, slot);

    SavedGame saved;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    saveTimeStamp(local, saved.date, saved.time);
    if (const View* view = scene_.view()) {
        saved.view = view->fileName();
        for (size_t i = 0; i < view->hotspotCount(); ++i) {
            const Hotspot& h = view->hotspot(i);
            saved.hotspots.emplace_back(h.name(), h.enabled());
        }
    }
    saved.music = g.music ? g.music->lastMusic() : "NONE";
    saved.musicPlaying = g.music && g.music->isPlaying();
    saved.variables.assign(g.variables.begin(), g.variables.end());
    saved.inventory = g.inventory.items;

    // A slot written without complaint must load: what the reader would refuse is
    // refused here, and the old slot stays.
    std::string why;
    if (!canSave(saved, why)) return refuse(why);
    const std::string text = writeSaveText(saved);
    if (text.size() > kMaxSaveFileBytes) return refuse("the game is too large to save");
    std::vector<uint8_t> picture;
    if (!makeThumbnail(picture)) return refuse("could not make " + slotPictureFile(slot));
    PreparedSlot prepared;
    if (!writeSlotTemporaries(folder_, slot, text, picture, prepared, why)) return refuse(why);
    saves_.fresh[slot] = SavedGames::FreshSlot{saved.date, saved.time, std::move(picture)};
    saves_.writer.commit(std::move(prepared));
    return true;
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
    // The slot's files as they will stay.
    finishSaves();
    recoverSlot(folder_, slot);
    std::string text, why;
    if (!folder_.exists(file)) return refuse(file + " does not exist");
    if (readFileBytes(folder_.path(file), kMaxSaveFileBytes, text) != FileRead::Ok)
        return refuse(file + " cannot be read");
    SavedGame saved;
    if (!readSaveText(text, saved, why)) return refuse(file + ": " + why);
    // A view that reads with an error is restored as "load" leaves it: partly read, with
    // the reader's red line. Only a view file that is not there cannot be.
    if (!isRegularFile(folder_.path(saved.view)))
        return refuse("the view " + saved.view + " cannot be loaded");

    loadingGame_ = true;
    g.variables.clear();
    g.inventory.items.clear();
    g.inventory.selection = -1;
    if (g.music) {
        // The music of the saved game, or none: what played before does not play on.
        const bool play = saved.musicPlaying && saved.music != "NONE";
        if (!play) g.music->stopMusic();
        g.music->setLastMusic(saved.music);
        if (play) interpreter_.runScript(Script{"playmusic"}, 0, false);
    }
    interpreter_.runScript(Script{"load " + saved.view}, 0, false);
    // Records go by name; the last record of a name wins.
    if (View* view = scene_.view())
        for (const auto& [name, enabled] : saved.hotspots) view->enableHotspots(&name, enabled);
    for (const auto& [name, value] : saved.variables) g.variables[name] = value;
    g.inventory.items.insert(g.inventory.items.end(), saved.inventory.begin(),
                             saved.inventory.end());
    loadingGame_ = false;
    return true;
}
