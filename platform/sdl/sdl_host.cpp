#include "platform/sdl/sdl_host.h"

#include <vector>

#include "platform/error_reporter.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/window_icon.h"
#include "platform/speech/espeak_voice.h"
#include "platform/speech/speech_dispatcher_voice.h"

SdlHost::SdlHost(bool windowed, const ProgramServices& services)
    : windowed_(windowed),
      services_(services),
      pending_(std::make_shared<SdlPendingInput>()),
      displayLink_(std::make_shared<SdlDisplayLink>()),
      reporter_(std::make_unique<StandardErrorReporter>()) {}

SdlHost::~SdlHost() = default;

std::unique_ptr<EventSource> SdlHost::createEvents() {
    auto events = std::make_unique<SdlEventSource>(pending_, displayLink_);
    reporter_ = std::make_unique<SdlEngineErrorReporter>(*events);
    return events;
}

bool SdlHost::createWindow() {
    return startSdlEvents();
}

std::unique_ptr<DisplayBackend> SdlHost::createDisplay() {
    auto display = std::make_unique<SdlDisplay>(displayLink_);
    std::vector<uint8_t> icon = windowIconRgba();
    display->setIcon(icon.data(), kWindowIconSize, kWindowIconSize, kWindowIconSize * 4);
    display_ = display.get();
    return display;
}

std::unique_ptr<InputBackend> SdlHost::createInput() {
    return std::make_unique<SdlInputBackend>(pending_);
}

// The player's speech-dispatcher when one runs (their screen reader's voice and rate);
// otherwise synthesis into the mix on a thread of its own. A frame never waits for either.
std::unique_ptr<SpeechVoice> SdlHost::createSpeechVoice(SpeechStream& stream) {
    if (auto dispatcher = SpeechDispatcherVoice::open("vorlen")) return dispatcher;
    return EspeakVoice::create(stream, EspeakVoice::Mode::Threaded);
}

std::unique_ptr<AudioOutput> SdlHost::createAudioOutput() {
    return std::make_unique<SdlAudioOutput>();
}

void SdlHost::afterScreenCreated() {
    if (display_ && display_->window()) prepareMainWindow(display_->window(), !windowed_);
}
