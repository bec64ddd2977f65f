#include "engine/transition.h"

#include <memory>

#include "engine/console.h"
#include "engine/engine.h"
#include "engine/game_state.h"

namespace {

std::function<void(Surface&)> overlayDraw;
std::function<void()> overlayClear;

// The incoming picture with the overlays the on-load script created.
std::unique_ptr<Surface> incomingPicture(Screen& screen, const std::string& imageFile) {
    auto picture = std::make_unique<Surface>();
    if (picture->create(&screen, screen.width(), screen.height(), kPlacementAny) < 0)
        return nullptr;
    loadImageInto(imageFile, *picture);
    drawOverlaysOnto(*picture);
    return picture;
}

}  // namespace

void setOverlayHooks(std::function<void(Surface&)> draw, std::function<void()> clear) {
    overlayDraw = std::move(draw);
    overlayClear = std::move(clear);
}

void drawOverlaysOnto(Surface& surface) {
    if (overlayDraw) overlayDraw(surface);
}

void clearAllOverlays() {
    if (overlayClear) overlayClear();
}

void runTransition(const std::string& imageFile) {
    GameState& g = game();
    if (g.transitionType == "alpha") {
        if (g.screen && g.backdrop) {
            Screen& screen = *g.screen;
            auto picture = incomingPicture(screen, imageFile);
            // A step of 0 or less would never finish; "trans" never stores one, but
            // saved or hand-set state might.
            int step = g.transitionStep > 0 ? g.transitionStep : 50;
            for (int level = 255; picture && level > 0; level -= step) {
                g.backdrop->draw(screen.back(), 0, 0);
                picture->drawAlpha(screen.back(), 0, 0, nullptr, level);
                screen.present(Present::NoWait | Present::Whole);
            }
        }
        g.transitionType.clear();
    } else if (g.transitionType == "black") {
        if (g.screen) {
            Screen& screen = *g.screen;
            screen.fadeOut(500);
            auto picture = incomingPicture(screen, imageFile);
            screen.back().fill(0);
            screen.present(Present::Wait | Present::Whole);
            if (picture) picture->draw(screen.back(), 0, 0);
            screen.fadeIn(500);
        }
        g.transitionType.clear();
    }
}

void switchBackdrop(const std::string& imageFile) {
    GameState& g = game();
    g.backdrop.reset();
    auto backdrop = std::make_unique<Surface>();
    if (g.screen && backdrop->create(g.screen.get(), 640, 480, kPlacementAny) >= 0)
        loadImageInto(imageFile, *backdrop);
    g.backdrop = std::move(backdrop);
    consolePrint("switching to " + imageFile, kWhite);
}
