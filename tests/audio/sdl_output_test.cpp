// The SDL output, on SDL's disk driver: what the device plays is the mixer's output.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <thread>

#include "audio/audio_fixtures.h"
#include "audio/mix_rig.h"
#include "platform/sdl/sdl_audio_output.h"

namespace {

constexpr size_t kChecked = 16384;  // bytes: 4096 frames, a few of the device's buffers

// Where the first frame that is not silence starts. The device may play silence before
// its first buffer from the mix (SDL fills buffers while a device is still paused).
size_t firstSound(const Bytes& played) {
    size_t i = 0;
    while (i + 3 < played.size() &&
           (played[i] | played[i + 1] | played[i + 2] | played[i + 3]) == 0)
        i += 4;
    return i;
}

TEST(SdlAudioOutput, TheDevicePlaysTheMix) {
    ScratchFolder dir("sdl");
    std::string raw = dir / "played.raw";
    // The driver is chosen when SDL's audio starts, which the output does itself.
    std::string driver = getenv("SDL_AUDIODRIVER") ? getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    {
        // The mix is set up before the device opens: every buffer it takes is this one.
        Mixer mixer;
        LevelStream stream(-777);
        MixerInput input = mixer.add(stream);
        mixer.setVolume(0xFFFF0000u);  // left off
        ASSERT_TRUE(mixer.create(std::make_unique<SdlAudioOutput>()));
        // Wait until the file holds what is checked (a minute at most, on a very busy
        // machine).
        for (int i = 0; i < 6000; ++i) {
            Bytes played = readFile(raw);
            if (played.size() >= firstSound(played) + kChecked) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        input.reset();
    }
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    Bytes played = readFile(raw);
    const size_t first = firstSound(played);
    ASSERT_GE(played.size(), first + kChecked);
    // Whole buffers of the mix: every frame (0, -777).
    for (size_t i = first; i + 3 < first + kChecked; i += 4) {
        ASSERT_EQ(played[i] | played[i + 1] << 8, 0) << i;
        ASSERT_EQ(static_cast<int16_t>(played[i + 2] | played[i + 3] << 8), -777) << i;
    }
}

}  // namespace
