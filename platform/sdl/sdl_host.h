#pragma once
// What the programs `engine` and `engine-windowed` give their engine: the SDL display and
// its window, the SDL input devices, the SDL event queue as the window's messages, the
// sound device and the steady clock.
#include <memory>

#include "engine/engine_host.h"
#include "platform/clock.h"

class SdlDisplay;
struct SdlDisplayLink;
struct SdlPendingInput;

class SdlHost : public EngineHost {
public:
    SdlHost(bool windowed, const ProgramServices& services);
    ~SdlHost() override;

    bool windowed() const override { return windowed_; }
    const Clock& clock() const override { return clock_; }
    ErrorReporter& errorReporter() override { return *reporter_; }
    const ProgramServices& services() override { return services_; }
    std::unique_ptr<EventSource> createEvents() override;
    // The window itself appears when the display mode is set; here SDL must start.
    bool createWindow() override;
    std::unique_ptr<DisplayBackend> createDisplay() override;
    std::unique_ptr<InputBackend> createInput() override;
    std::unique_ptr<AudioOutput> createAudioOutput() override;
    std::unique_ptr<SpeechVoice> createSpeechVoice(SpeechStream& stream) override;
    void afterScreenCreated() override;

private:
    bool windowed_;
    const ProgramServices& services_;
    SteadyClock clock_;
    std::shared_ptr<SdlPendingInput> pending_;
    // Mouse positions in picture pixels and the Alt+Enter switch, from events to display.
    std::shared_ptr<SdlDisplayLink> displayLink_;
    // Message boxes; the quit request goes to the engine's message queue.
    std::unique_ptr<ErrorReporter> reporter_;
    SdlDisplay* display_ = nullptr;
};
