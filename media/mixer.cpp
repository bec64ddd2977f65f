#include "media/mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

Mixer::~Mixer() {
    if (beepChunk_) {
        Mix_HaltChannel(-1);
        Mix_FreeChunk(beepChunk_);
    }
    if (open_) Mix_CloseAudio();
    if (ownsAudio_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool Mixer::create() {
    if (open_) return true;
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        ownsAudio_ = true;
    }
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) return false;
    open_ = true;
    apply();
    return true;
}

void Mixer::setVolume(uint32_t volume) {
    volume_ = volume;
    apply();
}

int Mixer::setVolume(uint8_t leftPercent, uint8_t rightPercent) {
    uint32_t left = (uint32_t{leftPercent} * 65535u / 100u) & 0xFFFFu;
    uint32_t right = (uint32_t{rightPercent} * 65535u / 100u) & 0xFFFFu;
    setVolume((right << 16) | left);
    return 0;
}

uint32_t Mixer::getVolume() const {
    return volume_;
}

void Mixer::apply() {
    if (!open_) return;
    // The master volume scales the final mix, as the system volume would.
    auto scale = [](uint32_t channel) { return static_cast<Uint8>(channel * 255u / 65535u); };
    Mix_SetPanning(MIX_CHANNEL_POST, scale(volume_ & 0xFFFFu), scale(volume_ >> 16));
}

void Mixer::beep() {
    if (!open_) return;
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&frequency, &format, &channels) || format != AUDIO_S16SYS) return;
    // 80 ms of a 880 Hz square wave, kept while the device is open (it plays from it).
    std::vector<int16_t>& samples = beepSamples_;
    Mix_Chunk*& chunk = beepChunk_;
    if (!chunk) {
        int frames = frequency * 80 / 1000;
        samples.resize(static_cast<size_t>(frames) * static_cast<size_t>(channels));
        int period = frequency / 880 > 0 ? frequency / 880 : 1;
        for (int i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c)
                samples[static_cast<size_t>(i * channels + c)] =
                    (i % period) < period / 2 ? 4000 : -4000;
        chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples.data()),
                                  static_cast<Uint32>(samples.size() * sizeof(Sint16)));
    }
    if (chunk) Mix_PlayChannel(-1, chunk, 0);
}
