#include "engine/sdl_host.h"

#include "engine/engine.h"
#include "engine/window_icon.h"
#include "platform/clock.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_input.h"
#include "platform/speech/espeak_voice.h"

namespace {

class SdlHost : public EngineHost {
public:
    SdlHost(bool windowed, const ProgramServices& services)
        : windowed_(windowed),
          services_(services),
          pending_(std::make_shared<SdlPendingInput>()),
          displayLink_(std::make_shared<SdlDisplayLink>()) {}

    bool windowed() const override { return windowed_; }
    const Clock& clock() const override { return clock_; }
    ErrorReporter& errorReporter() override { return *reporter_; }
    const ProgramServices& services() override { return services_; }
    std::unique_ptr<EventSource> createEvents() override {
        auto events = std::make_unique<SdlEventSource>(pending_, displayLink_);
        reporter_ = std::make_unique<SdlEngineErrorReporter>(*events);
        return events;
    }
    // The window itself appears when the display mode is set; here SDL must start.
    bool createWindow() override { return startSdlEvents(); }
    std::unique_ptr<DisplayBackend> createDisplay() override {
        auto display = std::make_unique<SdlDisplay>(displayLink_);
        std::vector<uint8_t> icon = windowIconRgba();
        display->setIcon(icon.data(), kWindowIconSize, kWindowIconSize, kWindowIconSize * 4);
        display_ = display.get();
        return display;
    }
    std::unique_ptr<InputBackend> createInput() override {
        return std::make_unique<SdlInputBackend>(pending_);
    }
    // Synthesis on a thread of its own: a frame never waits for it.
    std::unique_ptr<SpeechVoice> createSpeechVoice(SpeechStream& stream) override {
        return EspeakVoice::create(stream, EspeakVoice::Mode::Threaded);
    }
    std::unique_ptr<AudioOutput> createAudioOutput() override {
        return std::make_unique<SdlAudioOutput>();
    }
    void afterScreenCreated() override {
        if (display_ && display_->window()) prepareMainWindow(display_->window(), !windowed_);
    }

private:
    bool windowed_;
    const ProgramServices& services_;
    SteadyClock clock_;
    std::shared_ptr<SdlPendingInput> pending_;
    // Mouse positions in picture pixels and the Alt+Enter switch, from events to display.
    std::shared_ptr<SdlDisplayLink> displayLink_;
    // Message boxes; the quit request goes to the engine's message queue.
    std::unique_ptr<ErrorReporter> reporter_ = std::make_unique<StandardErrorReporter>();
    SdlDisplay* display_ = nullptr;
};

}  // namespace

int runSdlEngine(bool windowed, const ProgramServices& services) {
    SdlHost host(windowed, services);
    Engine engine(host);
    int exitCode = 0;
    if (!engine.start(exitCode)) exitCode = engine.runMainLoop();
    // The loop ends on the quit message, normally after the destroy message ran the
    // shutdown; a quit from a fatal error still releases everything.
    engine.shutdown();
    return exitCode;
}
