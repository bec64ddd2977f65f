// Replacing the view: the "load" command's work after its checks.
#include "engine/engine.h"

bool Engine::replaceView(const std::string& file, int depth) {
    GameState& g = state_;
    g.pointer.reset();
    // The outgoing picture keeps the overlays while the view changes.
    if (g.backdrop) drawOverlays(*g.backdrop);
    clearOverlays();
    g.console.print("Loading " + file, kWhite);
    g.currentView.reset();
    g.currentView = std::make_unique<View>(g.variables, g.console);
    std::string errorText;
    g.currentView->load(file, folder_, errorText);
    interpreter_.runScript(g.currentView->onLoadScript(), depth + 1, false);
    if (!errorText.empty()) {
        g.console.print(errorText, kRed);
        return false;
    }
    // The on-load script may itself have loaded another view: show the current one.
    std::string base = g.currentView ? g.currentView->baseImage() : std::string();
    g.transition.run(g.screen.get(), g.backdrop.get(), [this, &base]() {
        // The incoming picture with the overlays the on-load script created.
        Screen& screen = *state_.screen;
        auto picture = std::make_unique<Surface>();
        if (picture->create(&screen, screen.width(), screen.height(), kPlacementAny) < 0)
            return std::unique_ptr<Surface>();
        assets_.drawPictureInto(base, *picture);
        drawOverlays(*picture);
        return picture;
    });
    switchBackdrop(base);
    return true;
}

void Engine::switchBackdrop(const std::string& imageFile) {
    GameState& g = state_;
    g.backdrop.reset();
    auto backdrop = std::make_unique<Surface>();
    // A missing or unreadable picture leaves the backdrop black; the author is told.
    if (g.screen && backdrop->create(g.screen.get(), 640, 480, kPlacementAny) >= 0 &&
        !assets_.drawPictureInto(imageFile, *backdrop))
        assets_.reportCouldNotLoad(imageFile);
    g.backdrop = std::move(backdrop);
    g.console.print("switching to " + imageFile, kWhite);
}
