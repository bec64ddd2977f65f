#include "engine/view_reload.h"

#include <utility>
#include <vector>

#include "engine/engine.h"

bool ViewReload::reloadView(bool runOnLoad, int depth) {
    GameState& g = engine_.state();
    if (!g.currentView) {
        g.console.print("No view to reload", kRed);
        return false;
    }
    const std::string file = g.currentView->fileName();
    auto next = std::make_unique<View>(g.variables, g.console);
    std::string error;
    next->load(file, engine_.folder(), error);
    if (!error.empty()) {
        g.console.print(error, kRed);
        return false;
    }
    // As a saved game restores them: by name, the last hotspot of a name deciding.
    const View& old = *g.currentView;
    for (size_t i = 0; i < old.hotspotCount(); ++i) {
        const Hotspot& h = old.hotspot(i);
        const std::string name = h.name();
        next->enableHotspots(&name, h.enabled());
    }
    g.currentView = std::move(next);
    g.console.print("Reloaded " + file, kWhite);
    if (runOnLoad) {
        engine_.clearOverlays();
        g.overlaySources = OverlaySources();
        const View* reloaded = g.currentView.get();
        engine_.interpreter().runScript(g.currentView->onLoadScript(), depth + 1, false);
        // The script may have loaded another view, which brought its own picture.
        if (g.currentView.get() != reloaded) return true;
    }
    redrawBase();
    return true;
}

void ViewReload::redrawBase() {
    GameState& g = engine_.state();
    // The save page or the ending shows another picture; the view's is read afresh when
    // the game comes back to it.
    if (!g.screen || g.mode != Play || !g.currentView) return;
    const std::string base = g.currentView->baseImage();
    auto picture = std::make_unique<Surface>();
    bool loaded = picture->create(g.screen->format(), 640, 480, g.screen.get()) == 0 &&
                  engine_.assets().drawPictureInto(base, *picture);
    if (!loaded) engine_.assets().reportCouldNotLoad(base);
    g.backdrop = std::move(picture);
}

void ViewReload::fileChanged(const std::string& file) {
    GameState& g = engine_.state();
    if (!g.currentView) return;
    if (file == g.currentView->fileName()) {
        reloadView(false);
        return;
    }
    bool shown = false;
    if (file == g.currentView->baseImage() && g.mode == Play) {
        redrawBase();
        shown = true;
    }
    const std::string path = engine_.folder().path(file);
    for (const auto& [name, source] : g.overlaySources.images) {
        OverlayImage* image = source.file == file ? g.overlays.findImage(name) : nullptr;
        if (!image) continue;
        shown = true;
        if (!image->load(g.screen.get(), path, source.x, source.y, true, source.depth))
            engine_.assets().reportCouldNotLoad(file);
    }
    for (const auto& [name, source] : g.overlaySources.anims) {
        FrameAnimation* anim = source.file == file ? g.overlays.findAnim(name) : nullptr;
        if (!anim) continue;
        shown = true;
        if (anim->loadNamed(name, source.x, source.y, g.screen.get(), path, source.settings) != 1)
            engine_.assets().reportCouldNotLoad(file);
    }
    if (g.sounds && g.sounds->reload(file)) shown = true;
    if (shown) g.console.print("Reloaded " + file, kWhite);
}
