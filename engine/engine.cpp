#include "engine/engine.h"

#include <cstdarg>
#include <cstdio>

#include "engine/commands/engine_commands.h"
#include "platform/error_reporter.h"
#include "platform/image/imagelib.h"
#include "platform/trim.h"

namespace {
constexpr uint16_t kFadeSpeed = 500;
}

Engine::Engine(EngineHost& host, GameFolder folder)
    : host_(host),
      folder_(std::move(folder)),
      state_(host.clock()),
      interpreter_(state_.variables, state_.console),
      assets_(folder_, host.services().pictures, state_.console) {
    // Every successful assignment re-evaluates the view's conditions.
    interpreter_.setAssignmentListener([this] {
        if (state_.currentView) state_.currentView->reevaluateConditions();
    });
    registerEngineCommands(*this);
}

Engine::~Engine() {
    shutdown();
}

void Engine::reportError(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format ? format : "", args);
    va_end(args);
    ::reportError(host_.errorReporter(), state_.screen.get(), "%s", text);
}

void Engine::runConsoleLine(const std::string& line) {
    std::string trimmedText = trimmed(line);
    if (trimmedText.empty()) return;
    state_.console.scrollToEnd();
    interpreter_.runScript(Script{trimmedText}, 0, true);
}

// Clears the back buffer, shows it, then fades the backdrop in.
void Engine::fadeInBackdrop(bool withOverlays) {
    GameState& g = state_;
    Surface& back = g.screen->back();
    back.fill(0);
    g.screen->present(Present::Wait | Present::Whole);
    if (g.backdrop && g.backdrop->valid()) g.backdrop->draw(back, 0, 0);
    if (withOverlays) drawOverlays(back);
    g.screen->fadeIn(kFadeSpeed);
}

void Engine::showEnding() {
    GameState& g = state_;
    clearOverlays();
    if (g.screen) {
        g.screen->fadeOut(kFadeSpeed);
        g.backdrop = std::make_unique<Surface>();
        assets_.loadPicture(*g.backdrop, "end.jpg");
        fadeInBackdrop(false);
    }
    g.mode = Ending;
}

void Engine::restoreView() {
    GameState& g = state_;
    if (!g.screen) return;
    g.screen->fadeOut(kFadeSpeed);
    g.backdrop = std::make_unique<Surface>();
    g.backdrop->create(g.screen.get(), 640, 480, kPlacementAny);
    if (g.currentView) assets_.drawPictureInto(g.currentView->baseImage(), *g.backdrop);
    fadeInBackdrop(true);
}

bool Engine::takeScreenshot(Surface& surface, const std::string& fileName) {
    GameState& g = state_;
    std::string name = fileName;
    if (name.empty()) name = "shot" + std::to_string(g.screenshotCounter) + ".jpg";
    g.screenshotCounter = static_cast<int32_t>(static_cast<uint32_t>(g.screenshotCounter) + 1u);
    Picture picture;
    ImageRecord record;
    InitImageRecord(record);
    const PictureFormats* formats = host_.services().pictures;
    bool written = formats && surface.toPicture(picture) &&
                   CopyBitmapToRecord(picture, record, 0) &&
                   WriteRecordJpeg(*formats, folder_.path(name), record, 100);
    FreeImageRecord(record);
    // Only pictures of the screen are reported; saved-game thumbnails stay quiet.
    if (g.screen && &surface == &g.screen->back()) {
        if (written)
            g.console.print("Wrote Screenshot to " + name, kWhite);
        else
            g.console.print("Could not write screenshot " + name, kRed);
    }
    return written;
}

// Overlays join with the overlay layer; until then there is nothing to draw or clear.
void Engine::drawOverlays(Surface&) {}
void Engine::clearOverlays() {}
