#include "engine/scene.h"

#include "engine/assets.h"
#include "engine/console.h"
#include "engine/game_files.h"
#include "engine/game_state.h"
#include "engine/pointer.h"
#include "engine/view_picture_memory.h"
#include "platform/screen.h"
#include "script/interpreter.h"

namespace {

// The first view's picture on a black 640x480 backdrop, as a view change makes it: the
// main loop draws only the backdrop's pixels, so what a smaller (or missing) picture left
// uncovered would keep earlier frames' pointers.
void coverScreen(Screen& screen, std::unique_ptr<Surface>& backdrop) {
    if (backdrop && backdrop->valid() && backdrop->width() >= kViewWidth &&
        backdrop->height() >= kViewHeight)
        return;
    auto whole = std::make_unique<Surface>();
    if (whole->create(screen.format(), kViewWidth, kViewHeight, &screen) != 0) return;
    whole->fill(0);
    if (backdrop && backdrop->valid()) backdrop->draw(*whole, 0, 0);
    backdrop = std::move(whole);
}

}  // namespace

Scene::Scene(const std::unique_ptr<Screen>& screen, const GameFolder& folder, Assets& assets,
             Console& console, Interpreter& interpreter, Variables& variables, Pointer& pointer,
             int32_t& mode, ViewPictureMemory& viewMemory)
    : screen_(screen),
      folder_(folder),
      assets_(assets),
      console_(console),
      interpreter_(interpreter),
      variables_(variables),
      pointer_(pointer),
      mode_(mode),
      viewMemory_(viewMemory) {}

void Scene::openFirstView(const std::string& file) {
    view_ = std::make_unique<View>(variables_, console_);
    std::string error;
    view_->load(file, folder_, error);
    if (!error.empty()) console_.print(error, kRed);
    if (viewChanged_) viewChanged_();
    const bool shown = backdrop_ && assets_.loadPicture(*backdrop_, view_->baseImage()) == 1;
    if (screen_) coverScreen(*screen_, backdrop_);
    if (shown) noteBackdropIsView(view_->baseImage());
    interpreter_.runScript(view_->onLoadScript(), 0, false);
}

void Scene::fadeInBackdrop(bool withOverlays) {
    Surface& back = screen_->back();
    back.fill(0);
    screen_->present(Present::Wait | Present::Whole);
    if (backdrop_ && backdrop_->valid()) backdrop_->draw(back, 0, 0);
    if (withOverlays) drawOverlays(back);
    screen_->fadeIn(kFadeSpeed);
}

void Scene::showEnding() {
    clearOverlays();
    forgetBackdropIsView();
    if (screen_) {
        screen_->fadeOut(kFadeSpeed);
        backdrop_ = std::make_unique<Surface>();
        assets_.loadPicture(*backdrop_, game_files::kEnding);
        fadeInBackdrop(false);
    }
    mode_ = Ending;
}

void Scene::restoreView() {
    if (!screen_) return;
    screen_->fadeOut(kFadeSpeed);
    bool loaded = false;
    backdrop_ = viewPicture(view_ ? view_->baseImage() : std::string(), loaded);
    if (view_) noteBackdropIsView(view_->baseImage());
    fadeInBackdrop(true);
}

void Scene::drawOverlays(Surface& surface) {
    overlays_.draw(surface);
}

void Scene::clearOverlays() {
    overlays_.clear();
}

std::unique_ptr<Surface> Scene::viewPicture(const std::string& file, bool& loaded) {
    auto surface = std::make_unique<Surface>();
    const PixelFormat format = screen_ ? screen_->format() : PixelFormat::ofType(16);
    loaded = surface->create(format, kViewWidth, kViewHeight, screen_.get()) == 0 &&
             assets_.drawPictureInto(file, *surface);
    return surface;
}

void Scene::noteBackdropIsView(const std::string& base) {
    viewMemory_.backdropIsView = true;
    viewMemory_.viewBase = base;
    viewMemory_.keptScene.reset();
}

void Scene::forgetBackdropIsView() {
    viewMemory_.backdropIsView = false;
    viewMemory_.keptScene.reset();
}

Surface* Scene::viewPictureInMemory() {
    Surface* picture = viewMemory_.backdropIsView ? backdrop_.get() : viewMemory_.keptScene.get();
    if (!picture || !picture->valid() || picture->width() != kViewWidth ||
        picture->height() != kViewHeight || !view_ || view_->baseImage() != viewMemory_.viewBase)
        return nullptr;
    return picture;
}
