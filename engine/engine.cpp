#include "engine/engine.h"

#include <sys/stat.h>

#include "engine/console.h"
#include "engine/game_state.h"
#include "engine/transition.h"
#include "platform/image/imagelib.h"

namespace {
constexpr uint16_t kFadeSpeed = 500;

// Clears the back buffer, shows it, then fades the backdrop in.
void fadeInBackdrop(bool withOverlays) {
    GameState& g = game();
    Surface& back = g.screen->back();
    back.fill(0);
    g.screen->present(Present::Wait | Present::Whole);
    if (g.backdrop && g.backdrop->valid()) g.backdrop->draw(back, 0, 0);
    if (withOverlays) drawOverlaysOnto(back);
    g.screen->fadeIn(kFadeSpeed);
}
}  // namespace

void reportCouldNotLoad(const std::string& file) {
    consolePrint("Could not load " + file, kRed);
}

bool fileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

void showEnding() {
    GameState& g = game();
    clearAllOverlays();
    if (g.screen) {
        g.screen->fadeOut(kFadeSpeed);
        g.backdrop = std::make_unique<Surface>();
        if (g.backdrop->loadImage(g.screen.get(), "end.jpg", kPlacementAny) != 1) {
            reportCouldNotLoad("end.jpg");
        }
        fadeInBackdrop(false);
    }
    g.mode = Ending;
}

void restoreView() {
    GameState& g = game();
    if (!g.screen) return;
    g.screen->fadeOut(kFadeSpeed);
    g.backdrop = std::make_unique<Surface>();
    g.backdrop->create(g.screen.get(), 640, 480, kPlacementAny);
    if (g.currentView) loadImageInto(g.currentView->baseImage(), *g.backdrop);
    fadeInBackdrop(true);
}

bool loadImageInto(const std::string& path, Surface& surface) {
    const Screen* screen = surface.screen();
    const PictureFormats* formats = screen ? screen->pictureFormats() : nullptr;
    if (!formats) return false;
    std::unique_ptr<Picture> bitmap = LoadBitmapFile(*formats, path, 0, 0);
    if (!bitmap || !surface.valid()) return false;
    Surface picture;
    if (picture.fromPicture(*bitmap, surface.format()) < 0 || !picture.valid()) return false;
    Rect whole{0, 0, surface.width(), surface.height()};
    if (whole.right > picture.width()) whole.right = picture.width();
    if (whole.bottom > picture.height()) whole.bottom = picture.height();
    picture.draw(surface, 0, 0, &whole);
    return true;
}
