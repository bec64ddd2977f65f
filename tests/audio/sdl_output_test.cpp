// The SDL output, on SDL's disk driver: what the device plays is the mixer's output.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <thread>

#include "audio/audio_fixtures.h"
#include "audio/mix_rig.h"
#include "platform/sdl/sdl_audio_output.h"

namespace {

TEST(SdlAudioOutput, TheDevicePlaysTheMix) {
    ScratchFolder dir("sdl");
    std::string raw = dir / "played.raw";
    // The driver is chosen when SDL's audio starts, which the output does itself.
    std::string driver = getenv("SDL_AUDIODRIVER") ? getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    {
        Mixer mixer;
        ASSERT_TRUE(mixer.create(std::make_unique<SdlAudioOutput>()));
        LevelStream stream(-777);
        mixer.addStream(&stream);
        mixer.setVolume(0xFFFF0000u);  // left off
        // Wait (at most ten seconds) for a few buffers to be played.
        for (int i = 0; i < 1000 && readFile(raw).size() < 16384; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        mixer.removeStream(&stream);
    }
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    Bytes played = readFile(raw);
    ASSERT_GE(played.size(), 16384u);
    // Whole buffers of the mix: every frame (0, -777).
    for (size_t i = 0; i + 3 < 16384; i += 4) {
        ASSERT_EQ(played[i] | played[i + 1] << 8, 0) << i;
        ASSERT_EQ(static_cast<int16_t>(played[i + 2] | played[i + 3] << 8), -777) << i;
    }
}

}  // namespace
