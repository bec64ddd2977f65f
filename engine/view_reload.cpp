// Reading the current view's files again while the game runs, for authors testing a view
// they edit: the view file swapped in place, and the pictures, frame sheets and sounds the
// view shows read afresh. Variables, inventory, selection and mode stay as they are.
#include <utility>
#include <vector>

#include "engine/assets.h"
#include "engine/console.h"
#include "engine/game_state.h"
#include "engine/scene.h"
#include "media/sound_slots.h"
#include "platform/screen.h"
#include "script/interpreter.h"

bool Scene::reloadView(bool runOnLoad, int depth) {
    if (!view_) {
        console_.print("No view to reload", kRed);
        return false;
    }
    const std::string file = view_->fileName();
    auto next = std::make_unique<View>(variables_, console_);
    std::string error;
    next->load(file, folder_, error);
    if (!error.empty()) {
        console_.print(error, kRed);
        return false;
    }
    // As a saved game restores them: by name, the last hotspot of a name deciding.
    const View& old = *view_;
    for (size_t i = 0; i < old.hotspotCount(); ++i) {
        const Hotspot& h = old.hotspot(i);
        const std::string name = h.name();
        next->enableHotspots(&name, h.enabled());
    }
    view_ = std::move(next);
    console_.print("Reloaded " + file, kWhite);
    if (runOnLoad) {
        clearOverlays();
        overlaySources_ = OverlaySources();
        const View* reloaded = view_.get();
        interpreter_.runScript(view_->onLoadScript(), depth + 1, false);
        // The script may have loaded another view, which brought its own picture.
        if (view_.get() != reloaded) return true;
    }
    redrawBase();
    return true;
}

void Scene::redrawBase() {
    // The save page or the ending shows another picture; the view's is read afresh when
    // the game comes back to it.
    if (!screen_ || mode_ != Play || !view_) return;
    const std::string base = view_->baseImage();
    auto picture = std::make_unique<Surface>();
    bool loaded = picture->create(screen_->format(), 640, 480, screen_.get()) == 0 &&
                  assets_.drawPictureInto(base, *picture);
    if (!loaded) assets_.reportCouldNotLoad(base);
    backdrop_ = std::move(picture);
}

void Scene::fileChanged(const std::string& file, SoundSlots* sounds) {
    if (!view_) return;
    if (file == view_->fileName()) {
        reloadView(false);
        return;
    }
    bool shown = false;
    if (file == view_->baseImage() && mode_ == Play) {
        redrawBase();
        shown = true;
    }
    const std::string path = folder_.path(file);
    for (const auto& [name, source] : overlaySources_.images) {
        OverlayImage* image = source.file == file ? overlays_.findImage(name) : nullptr;
        if (!image) continue;
        shown = true;
        if (!image->load(screen_.get(), path, source.x, source.y, true, source.depth))
            assets_.reportCouldNotLoad(file);
    }
    for (const auto& [name, source] : overlaySources_.anims) {
        FrameAnimation* anim = source.file == file ? overlays_.findAnim(name) : nullptr;
        if (!anim) continue;
        shown = true;
        if (anim->loadNamed(name, source.x, source.y, screen_.get(), path, source.settings) != 1)
            assets_.reportCouldNotLoad(file);
    }
    if (sounds && sounds->reload(file)) shown = true;
    if (shown) console_.print("Reloaded " + file, kWhite);
}
