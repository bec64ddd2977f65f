// Saving the game to a numbered slot and restoring it.
#include "engine/saved_games.h"

#include <ctime>

#include "engine/console.h"
#include "engine/scene.h"
#include "engine/slot_files.h"
#include "game/save_file.h"
#include "media/music_control.h"
#include "platform/file_bytes.h"
#include "platform/game_folder.h"
#include "platform/image/image_reader.h"
#include "platform/image/imagelib.h"
#include "platform/image/picture.h"
#include "platform/image/picture_formats.h"
#include "platform/screen.h"
#include "script/interpreter.h"

namespace {

constexpr int kThumbnailWidth = 160, kThumbnailHeight = 120;

}  // namespace

SavedGames::SavedGames(const GameFolder& folder, const PictureFormats* pictures, Console& console,
                       Scene& scene, const std::unique_ptr<Screen>& screen, Variables& variables,
                       Inventory& inventory, const std::unique_ptr<MusicControl>& music,
                       Interpreter& interpreter)
    : folder_(folder),
      pictures_(pictures),
      console_(console),
      scene_(scene),
      screen_(screen),
      variables_(variables),
      inventory_(inventory),
      music_(music),
      interpreter_(interpreter) {}

// The view's base image with the overlays, a quarter of the size, grey, as JPEG.
bool SavedGames::makeThumbnail(std::vector<uint8_t>& jpeg) {
    const PictureFormats* formats = pictures_;
    if (!formats) return false;
    // The picture the player sees is in memory; only a backdrop that is not the view's
    // (the view read with an error, say) sends us to the file.
    std::unique_ptr<Surface> work;
    Surface* source = scene_.viewPictureInMemory();
    const PixelFormat format =
        source ? source->format() : (screen_ ? screen_->format() : PixelFormat::ofType(16));
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

void SavedGames::reportFailedSaves() {
    std::vector<SaveWriter::Failure> failures = writer_.takeFailures();
    for (const SaveWriter::Failure& failure : failures) {
        fresh_.erase(failure.slot);
        console_.print("Could not save slot " + std::to_string(failure.slot) + ": " + failure.why,
                       kRed);
    }
    // The page showed those slots as saved.
    if (!failures.empty() && failedSaves_) failedSaves_();
}

void SavedGames::finishSaves() {
    writer_.waitForAll();
    reportFailedSaves();
    fresh_.clear();
}

void SavedGames::recoverSaves() {
    recoverAllSlots(folder_);
}

void SavedGames::forgetFinishedSaves() {
    for (auto it = fresh_.begin(); it != fresh_.end();)
        it = writer_.pending(it->first) ? std::next(it) : fresh_.erase(it);
}

bool SavedGames::freshStamp(int slot, std::string& date, std::string& time) const {
    auto fresh = fresh_.find(slot);
    if (fresh == fresh_.end()) return false;
    date = fresh->second.date;
    time = fresh->second.time;
    return true;
}

bool SavedGames::saveGame(int slot) {
    auto refuse = [&](const std::string& why) {
        console_.print("Could not save slot " + std::to_string(slot) + ": " + why, kRed);
        return false;
    };
    // The slot's last save ends (or is completed) before this one replaces it.
    reportFailedSaves();
    writer_.waitFor(slot);
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
    saved.music = music_ ? music_->lastMusic() : "NONE";
    saved.musicPlaying = music_ && music_->isPlaying();
    saved.variables.assign(variables_.begin(), variables_.end());
    saved.inventory = inventory_.items;

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
    fresh_[slot] = FreshSlot{saved.date, saved.time, std::move(picture)};
    writer_.commit(std::move(prepared));
    return true;
}

bool SavedGames::loadGame(int slot) {
    const std::string file = slotStateFile(slot);
    auto refuse = [&](const std::string& why) {
        console_.print("Could not load slot " + std::to_string(slot) + ": " + why, kRed);
        return false;
    };
    // A slot whose view loads a game from its on-load script would otherwise load
    // itself again without end.
    if (loading_) return refuse("a saved game is being restored already");
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
    if (!folder_.exists(saved.view)) return refuse("the view " + saved.view + " cannot be loaded");

    loading_ = true;
    variables_.clear();
    inventory_.items.clear();
    inventory_.selection = -1;
    if (music_) {
        // The music of the saved game, or none: what played before does not play on.
        const bool play = saved.musicPlaying && saved.music != "NONE";
        if (!play) music_->stopMusic();
        music_->setLastMusic(saved.music);
        if (play) interpreter_.runScript(Script{"playmusic"}, 0, false);
    }
    interpreter_.runScript(Script{"load " + saved.view}, 0, false);
    // Records go by name; the last record of a name wins.
    if (View* view = scene_.view())
        for (const auto& [name, enabled] : saved.hotspots) view->enableHotspots(&name, enabled);
    for (const auto& [name, value] : saved.variables) variables_[name] = value;
    inventory_.items.insert(inventory_.items.end(), saved.inventory.begin(), saved.inventory.end());
    loading_ = false;
    return true;
}

void SavedGames::drawSlotPicture(int slot, Surface& thumbnail) {
    const PictureFormats* formats = pictures_;
    if (!formats) return;
    std::vector<uint8_t> read;
    const std::vector<uint8_t>* bytes = &read;
    auto fresh = fresh_.find(slot);
    if (fresh != fresh_.end()) {
        bytes = &fresh->second.picture;
    } else if (readFileBytes(folder_.path(slotPictureFile(slot)), kMaxThumbnailBytes, read) !=
               FileRead::Ok) {
        return;  // missing or damaged: the black box
    }
    Picture picture;
    Surface decoded;
    if (!formats->decode(bytes->data(), bytes->size(), 0, picture) ||
        decoded.fromPicture(picture, thumbnail.format()) != 0)
        return;
    decoded.draw(thumbnail, 0, 0);
}
