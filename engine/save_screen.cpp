// The save/load page: building it, its pointer and its clicks.
#include "engine/engine.h"
#include "engine/game_files.h"
#include "game/save_file.h"
#include "platform/file_bytes.h"
#include "platform/image/picture.h"
#include "platform/image/picture_formats.h"
#include "platform/key_names.h"

namespace {

constexpr uint16_t kPageFade = 300;
constexpr const char* kPageFace = "pookie";
// What a slot shows whose state file cannot be read (too large for the loader, say).
constexpr const char* kDamagedSlot = "DAMAGED";

}  // namespace

void Engine::drawSlotPicture(int slot, Surface& thumbnail) {
    const PictureFormats* formats = host_.services().pictures;
    if (!formats) return;
    std::vector<uint8_t> read;
    const std::vector<uint8_t>* bytes = &read;
    auto fresh = saves_.fresh.find(slot);
    if (fresh != saves_.fresh.end()) {
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

void Engine::showSaveLoadScreen() {
    if (!state_.screen) {
        buildSaveLoadPage();
        return;
    }
    Screen& screen = *state_.screen;
    screen.fadeOut(kPageFade);
    buildSaveLoadPage();
    if (Surface* backdrop = scene_.backdrop()) backdrop->draw(screen.back(), 0, 0);
    screen.fadeIn(kPageFade);
}

void Engine::buildSaveLoadPage() {
    GameState& g = state_;
    g.pointer.reset();
    SavePage& page = g.savePage;
    page.clearSlots();
    // Saves the worker has finished are read from their files again.
    for (auto it = saves_.fresh.begin(); it != saves_.fresh.end();)
        it = saves_.writer.pending(it->first) ? std::next(it) : saves_.fresh.erase(it);
    for (int k = 0; k < kSlotsPerPage; ++k) {
        const size_t at = static_cast<size_t>(k);
        const int slot = page.slot(k);
        auto fresh = saves_.fresh.find(slot);
        if (fresh != saves_.fresh.end()) {
            page.used[at] = true;
            page.dates[at] = fresh->second.date;
            page.times[at] = fresh->second.time;
            continue;
        }
        const std::string file = slotStateFile(slot);
        if (!folder_.exists(file)) continue;
        page.used[at] = true;
        // Read no more than the loader would take.
        std::string text;
        if (readFileBytes(folder_.path(file), kMaxSaveFileBytes, text) == FileRead::Ok)
            readSaveStamp(std::string_view(text).substr(0, 256), page.dates[at], page.times[at]);
        else
            page.dates[at] = kDamagedSlot;
    }
    if (!g.screen) return;
    Screen& screen = *g.screen;
    // The view's picture is kept for the thumbnails of the saves made on the page.
    if (saves_.backdropIsView) {
        saves_.keptScene = scene_.takeBackdrop();
        saves_.backdropIsView = false;
    }
    scene_.setBackdrop(std::make_unique<Surface>());
    Surface& background = *scene_.backdrop();
    // Without its picture the page still shows its texts, on black.
    if (assets_.loadPicture(background, game_files::kSavePage) != 1 || !background.valid())
        background.create(&screen, 640, 480, kPlacementAny);

    // Without the game's face the default one writes the page.
    if (background.createFont(kPageFace, 20, 40, 400) != 0) assets_.reportMissingFace(kPageFace);
    background.drawText(205, 10, kWhite, g.mode == SaveScreen ? "SAVE GAME" : "LOAD GAME");
    if (background.createFont(kPageFace, 10, 20, 400) != 0) assets_.reportMissingFace(kPageFace);
    for (size_t k = 0; k < kSlotsPerPage; ++k) {
        const SlotPlace& place = kSlotPlaces[k];
        background.drawText(place.dateX, place.dateY, kWhite, page.dates[k]);
        background.drawText(place.timeX, place.timeY, kWhite, page.times[k]);
    }
    background.drawText(280, 455, kWhite, "PAGE: " + std::to_string(page.page + 1));

    for (int k = 0; k < kSlotsPerPage; ++k) {
        if (!page.used[static_cast<size_t>(k)]) continue;
        // A state file without its picture shows a black box.
        Surface thumbnail;
        thumbnail.create(&screen, 160, 120, kPlacementAny);
        thumbnail.fill(0);
        drawSlotPicture(page.slot(k), thumbnail);
        const PageBox& box = kSlotPlaces[static_cast<size_t>(k)].box;
        thumbnail.draw(background, box.left, box.top);
    }
}

void Engine::clickSaveLoadPage(int x, int y) {
    GameState& g = state_;
    PageHit hit = hitTestPage(x, y);
    switch (hit.area) {
        case PageHit::Previous:
            g.savePage.previous();
            showSaveLoadScreen();
            break;
        case PageHit::Next:
            g.savePage.next();
            showSaveLoadScreen();
            break;
        case PageHit::Slot: {
            const int slot = g.savePage.slot(hit.position);
            if (g.mode == SaveScreen) {
                // Saving stays on the page, which then shows the new picture and time.
                saveGame(slot);
                showSaveLoadScreen();
            } else if (g.savePage.used[static_cast<size_t>(hit.position)]) {
                loadGame(slot);
                scene_.restoreView();
                g.mode = Play;
            }
            break;
        }
        case PageHit::Exit:
            scene_.restoreView();
            g.pointer.shape = Idle;
            g.mode = Play;
            break;
        case PageHit::None:
            break;
    }
}

void Engine::saveLoadFrame(int x, int y) {
    GameState& g = state_;
    reportFailedSaves();
    if (!g.screen) return;
    Surface& back = g.screen->back();
    Surface* backdrop = scene_.backdrop();
    if (backdrop && backdrop->valid()) backdrop->draw(back, 0, 0);
    PageHit hover = hitTestPage(x, y);
    bool active = hover.area != PageHit::None;
    // In the load mode only filled slots answer.
    if (hover.area == PageHit::Slot && g.mode == LoadScreen)
        active = g.savePage.used[static_cast<size_t>(hover.position)];
    g.pointer.drawOnPage(active, x, y, back);
    if (pressed(KeyCode::MouseLeft) || accessAction_.click) clickSaveLoadPage(x, y);
    g.screen->present(Present::Wait | Present::Whole);
}
