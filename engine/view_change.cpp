// Replacing the view: the "load" command's work after its checks.
#include "engine/assets.h"
#include "engine/console.h"
#include "engine/pointer.h"
#include "engine/scene.h"
#include "platform/screen.h"
#include "script/interpreter.h"

bool Scene::replaceView(const std::string& file, int depth) {
    pointer_.reset();
    if (viewChanged_) viewChanged_();
    // The outgoing picture keeps the overlays while the view changes.
    if (backdrop_) drawOverlays(*backdrop_);
    forgetBackdropIsView();
    clearOverlays();
    console_.print("Loading " + file, kWhite);
    view_.reset();
    view_ = std::make_unique<View>(variables_, console_);
    std::string errorText;
    view_->load(file, folder_, errorText);
    interpreter_.runScript(view_->onLoadScript(), depth + 1, false);
    if (!errorText.empty()) {
        console_.print(errorText, kRed);
        return false;
    }
    // The on-load script may itself have loaded another view: show the current one. Its
    // picture is read once, for the transition and the new backdrop alike; a missing or
    // unreadable one leaves the backdrop black, and the author is told.
    std::string base = view_ ? view_->baseImage() : std::string();
    bool loaded = false;
    std::unique_ptr<Surface> next = viewPicture(base, loaded);
    if (screen_ && !loaded) assets_.reportCouldNotLoad(base);
    transition_.run(screen_.get(), backdrop_.get(), [this, &next]() {
        // The incoming picture with the overlays the on-load script created.
        auto picture = std::make_unique<Surface>();
        if (picture->create(next->format(), next->width(), next->height(), screen_.get()) != 0)
            return std::unique_ptr<Surface>();
        next->draw(*picture, 0, 0);
        drawOverlays(*picture);
        return picture;
    });
    backdrop_ = std::move(next);
    noteBackdropIsView(base);
    console_.print("switching to " + base, kWhite);
    return true;
}
