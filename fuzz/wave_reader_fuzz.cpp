// Wave files of any content: the reader refuses them with a reason or gives samples in
// the mix format within its limits; a few frames of what it gives are mixed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/audio_stream.h"
#include "media/mixer.h"
#include "media/mixer_voice.h"
#include "media/wave_reader.h"
#include "platform/null_audio_output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveSound sound;
    std::string error;
    if (!readWave(data, size, sound, error)) {
        if (error.empty() || !sound.mix.empty()) __builtin_trap();
        return 0;
    }
    const WaveFormat& f = sound.format;
    if (sound.mix.size() % 2 != 0 || sound.frames() > kMaxWaveFrames) __builtin_trap();
    if (f.rate == static_cast<uint32_t>(kMixRate) && sound.frames() * f.blockAlign > size)
        __builtin_trap();
    static Mixer* mixer = [] {
        auto* m = new Mixer;
        m->create(std::make_unique<NullAudioOutput>());
        return m;
    }();
    MixerVoice voice(*mixer, std::make_shared<const std::vector<int16_t>>(std::move(sound.mix)));
    voice.start();
    std::vector<int16_t> out(2 * 600);
    mixer->mix(out.data(), 600);
    return 0;
}
