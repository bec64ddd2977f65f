#include "engine/sdl_host.h"

#include "engine/game_state.h"
#include "engine/main_loop.h"
#include "engine/shutdown.h"
#include "engine/window_icon.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl_display.h"
#include "platform/sdl_events.h"
#include "platform/sdl_input.h"

namespace {

class SdlHost : public EngineHost {
public:
    SdlHost(bool windowed, std::shared_ptr<SdlPendingInput> pending)
        : windowed_(windowed), pending_(std::move(pending)) {}

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
    std::unique_ptr<AudioOutput> createAudioOutput() override {
        return std::make_unique<SdlAudioOutput>();
    }
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
    SdlDisplay* display_ = nullptr;
};

}  // namespace

int runSdlEngine(bool windowed) {
    resetGame();
    auto pending = std::make_shared<SdlPendingInput>();
    auto events = std::make_unique<SdlEventSource>(pending);
    SdlEngineErrorReporter reporter(*events);
    installErrorReporter(&reporter);
    game().events = std::move(events);

    SdlHost host(windowed, pending);
    int exitCode = 0;
    if (!startEngine(host, exitCode)) exitCode = runMainLoop();
    // The loop ends on the quit message, normally after the destroy message ran the
    // shutdown; a quit from a fatal error still releases everything.
    shutdownEngine();
    installErrorReporter(nullptr);
    resetGame();
    return exitCode;
}
