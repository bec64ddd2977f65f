#include "engine/sdl_host.h"

#include "engine/game_state.h"
#include "engine/main_loop.h"
#include "engine/shutdown.h"
#include "engine/window_icon.h"
#include "platform/clock.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_text_renderer.h"

namespace {

class SdlHost : public EngineHost {
public:
    SdlHost(bool windowed, std::shared_ptr<SdlPendingInput> pending, const PictureFormats& pictures)
        : windowed_(windowed), pending_(std::move(pending)), pictures_(pictures) {}

    bool windowed() const override { return windowed_; }
    // The window itself appears when the display mode is set; here SDL must start.
    bool createWindow() override { return startSdlEvents(); }
    std::unique_ptr<DisplayBackend> createDisplay() override {
        auto display = std::make_unique<SdlDisplay>();
        std::vector<uint8_t> icon = windowIconRgba();
        display->setIcon(icon.data(), kWindowIconSize, kWindowIconSize, kWindowIconSize * 4);
        display_ = display.get();
        return display;
    }
    std::unique_ptr<InputBackend> createInput() override {
        return std::make_unique<SdlInputBackend>(pending_);
    }
    const Clock& clock() override { return clock_; }
    TextRenderer* textRenderer() override { return &text_; }
    const PictureFormats* pictureFormats() override { return &pictures_; }
    void afterScreenCreated() override {
        GameState& g = game();
        if (g.screen && display_) {
            g.windowHandle = display_->window();
            prepareMainWindow(display_->window(), !windowed_);
        }
    }

private:
    bool windowed_;
    std::shared_ptr<SdlPendingInput> pending_;
    const PictureFormats& pictures_;
    SteadyClock clock_;
    SdlTextRenderer text_;
    SdlDisplay* display_ = nullptr;
};

}  // namespace

int runSdlEngine(bool windowed, const PictureFormats& pictures) {
    resetGame();
    auto pending = std::make_shared<SdlPendingInput>();
    auto events = std::make_unique<SdlEventSource>(pending);
    SdlEngineErrorReporter reporter(*events);
    installErrorReporter(&reporter);
    game().events = std::move(events);

    SdlHost host(windowed, pending, pictures);
    int exitCode = 0;
    if (!startEngine(host, exitCode)) exitCode = runMainLoop();
    // The loop ends on the quit message, normally after the destroy message ran the
    // shutdown; a quit from a fatal error still releases everything.
    shutdownEngine();
    installErrorReporter(nullptr);
    resetGame();
    return exitCode;
}
