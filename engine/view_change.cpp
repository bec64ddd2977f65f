// Replacing the view: the "load" command's work after its checks.
#include "engine/engine.h"

bool Engine::replaceView(const std::string& file, int depth) {
    GameState& g = state_;
    g.pointer.reset();
    access_.noteViewChange();
    // The outgoing picture keeps the overlays while the view changes.
    if (g.backdrop) drawOverlays(*g.backdrop);
    forgetBackdropIsView();
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
    // The on-load script may itself have loaded another view: show the current one. Its
    // picture is read once, for the transition and the new backdrop alike; a missing or
    // unreadable one leaves the backdrop black, and the author is told.
    std::string base = g.currentView ? g.currentView->baseImage() : std::string();
    bool loaded = false;
    std::unique_ptr<Surface> next = viewPicture(base, loaded);
    if (g.screen && !loaded) assets_.reportCouldNotLoad(base);
    g.transition.run(g.screen.get(), g.backdrop.get(), [this, &next]() {
        // The incoming picture with the overlays the on-load script created.
        auto picture = std::make_unique<Surface>();
        if (picture->create(next->format(), next->width(), next->height(), state_.screen.get()) !=
            0)
            return std::unique_ptr<Surface>();
        next->draw(*picture, 0, 0);
        drawOverlays(*picture);
        return picture;
    });
    g.backdrop = std::move(next);
    noteBackdropIsView(base);
    g.console.print("switching to " + base, kWhite);
    return true;
}

std::unique_ptr<Surface> Engine::viewPicture(const std::string& file, bool& loaded) {
    GameState& g = state_;
    auto surface = std::make_unique<Surface>();
    const PixelFormat format = g.screen ? g.screen->format() : PixelFormat::ofType(16);
    loaded = surface->create(format, 640, 480, g.screen.get()) == 0 &&
             assets_.drawPictureInto(file, *surface);
    return surface;
}
