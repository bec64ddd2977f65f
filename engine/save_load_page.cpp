// The save/load page: building it, its pointer and its clicks.
#include "engine/save_load_page.h"

#include "engine/assets.h"
#include "engine/game_files.h"
#include "engine/game_state.h"
#include "engine/pointer.h"
#include "engine/saved_games.h"
#include "engine/scene.h"
#include "engine/view_picture_memory.h"
#include "game/save_file.h"
#include "game/save_page.h"
#include "platform/file_bytes.h"
#include "platform/game_folder.h"
#include "platform/input_device.h"
#include "platform/key_names.h"
#include "platform/screen.h"

namespace {

constexpr uint16_t kPageFade = 300;
constexpr const char* kPageFace = "pookie";
// What a slot shows whose state file cannot be read (too large for the loader, say).
constexpr const char* kDamagedSlot = "DAMAGED";

}  // namespace

SaveLoadPage::SaveLoadPage(SavePage& page, int32_t& mode, Pointer& pointer, SavedGames& saves,
                           Scene& scene, ViewPictureMemory& viewMemory, const GameFolder& folder,
                           Assets& assets, const std::unique_ptr<Screen>& screen,
                           const std::unique_ptr<InputDevice>& input)
    : page_(page),
      mode_(mode),
      pointer_(pointer),
      saves_(saves),
      scene_(scene),
      viewMemory_(viewMemory),
      folder_(folder),
      assets_(assets),
      screen_(screen),
      input_(input) {}

void SaveLoadPage::show() {
    if (!screen_) {
        build();
        return;
    }
    Screen& screen = *screen_;
    screen.fadeOut(kPageFade);
    build();
    if (Surface* backdrop = scene_.backdrop()) backdrop->draw(screen.back(), 0, 0);
    screen.fadeIn(kPageFade);
}

void SaveLoadPage::readStamps() {
    SavePage& page = page_;
    page.clearSlots();
    saves_.forgetFinishedSaves();
    for (int k = 0; k < kSlotsPerPage; ++k) {
        const size_t at = static_cast<size_t>(k);
        const int slot = page.slot(k);
        if (saves_.freshStamp(slot, page.dates[at], page.times[at])) {
            page.used[at] = true;
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
}

void SaveLoadPage::build() {
    pointer_.reset();
    readStamps();
    if (!screen_) return;
    Screen& screen = *screen_;
    SavePage& page = page_;
    // The view's picture is kept for the thumbnails of the saves made on the page.
    if (viewMemory_.backdropIsView) {
        viewMemory_.keptScene = scene_.takeBackdrop();
        viewMemory_.backdropIsView = false;
    }
    scene_.setBackdrop(std::make_unique<Surface>());
    Surface& background = *scene_.backdrop();
    // Without its picture the page still shows its texts, on black.
    if (assets_.loadPicture(background, game_files::kSavePage) != 1 || !background.valid())
        background.create(&screen, kViewWidth, kViewHeight, kPlacementAny);

    // Without the game's face the default one writes the page.
    if (background.createFont(kPageFace, 20, 40, 400) != 0) assets_.reportMissingFace(kPageFace);
    background.drawText(205, 10, kWhite, mode_ == SaveScreen ? "SAVE GAME" : "LOAD GAME");
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
        saves_.drawSlotPicture(page.slot(k), thumbnail);
        const PageBox& box = kSlotPlaces[static_cast<size_t>(k)].box;
        thumbnail.draw(background, box.left, box.top);
    }
}

void SaveLoadPage::click(int x, int y) {
    PageHit hit = hitTestPage(x, y);
    switch (hit.area) {
        case PageHit::Previous:
            page_.previous();
            show();
            break;
        case PageHit::Next:
            page_.next();
            show();
            break;
        case PageHit::Slot: {
            const int slot = page_.slot(hit.position);
            if (mode_ == SaveScreen) {
                // Saving stays on the page, which then shows the new picture and time.
                saves_.saveGame(slot);
                show();
            } else if (page_.used[static_cast<size_t>(hit.position)]) {
                saves_.loadGame(slot);
                scene_.restoreView();
                mode_ = Play;
            }
            break;
        }
        case PageHit::Exit:
            scene_.restoreView();
            pointer_.shape = Idle;
            mode_ = Play;
            break;
        case PageHit::None:
            break;
    }
}

void SaveLoadPage::frame(int x, int y, bool accessClick) {
    saves_.reportFailedSaves();
    if (!screen_) return;
    Surface& back = screen_->back();
    Surface* backdrop = scene_.backdrop();
    if (backdrop && backdrop->valid()) backdrop->draw(back, 0, 0);
    PageHit hover = hitTestPage(x, y);
    bool active = hover.area != PageHit::None;
    // In the load mode only filled slots answer.
    if (hover.area == PageHit::Slot && mode_ == LoadScreen)
        active = page_.used[static_cast<size_t>(hover.position)];
    pointer_.drawOnPage(active, x, y, back);
    const bool mouseClick = input_ && input_->keyState(KeyCode::MouseLeft) == InputDevice::Pressed;
    if (mouseClick || accessClick) click(x, y);
    screen_->present(Present::Wait | Present::Whole);
}
