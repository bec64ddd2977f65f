#include "platform/sdl/sdl_audio_output.h"

#include <SDL.h>

bool SdlAudioOutput::open(AudioSource& source, int rate) {
    close();
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        ownsSubsystem_ = true;
    }
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    // About 23 ms at 44.1 kHz: short enough for effects to start promptly.
    want.samples = 1024;
    want.callback = &SdlAudioOutput::feed;
    want.userdata = this;
    source_ = &source;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware takes, so the source
    // always fills the mix format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        source_ = nullptr;
        if (ownsSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ownsSubsystem_ = false;
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioOutput::close() {
    if (device_ != 0) {
        // Waits for a running callback; none runs afterwards.
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
    source_ = nullptr;
    if (ownsSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    ownsSubsystem_ = false;
}

void SdlAudioOutput::lock() {
    if (device_ != 0) SDL_LockAudioDevice(device_);
}

void SdlAudioOutput::unlock() {
    if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void SdlAudioOutput::feed(void* self, uint8_t* stream, int bytes) {
    auto* output = static_cast<SdlAudioOutput*>(self);
    size_t frames = static_cast<size_t>(bytes) / (2 * sizeof(int16_t));
    // SDL's buffers are suitably aligned for 16-bit samples.
    output->source_->mix(reinterpret_cast<int16_t*>(stream), frames);
}
