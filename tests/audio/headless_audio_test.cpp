// The sound commands through engine-headless: the captured mix is what the commands
// asked for, and the same on every run.
#include <gtest/gtest.h>

#include <algorithm>

#include "audio/audio_fixtures.h"
#include "media/audio_stream.h"
#include "support/headless_run.h"

namespace {

using headless_test::GameFolder;
using headless_test::runHeadless;

// The samples of a captured 16-bit stereo WAV file (after its 44-byte header).
std::vector<int16_t> samplesOf(const Bytes& file) {
    std::vector<int16_t> out;
    for (size_t i = 44; i + 1 < file.size(); i += 2)
        out.push_back(static_cast<int16_t>(file[i] | (file[i + 1] << 8)));
    return out;
}

TEST(HeadlessAudio, TheCapturedMixFollowsTheCommandsAndRepeatsExactly) {
    GameFolder game;
    game.write("init.scn", headless_test::viewFile("NONE", {}));
    // An effect of 0.2 s at level 1000 and music of 0.1 s at level 3000, both stereo at
    // the mix rate, so the capture shows each by its level.
    writeFile((game.path() / "a.wav").string(),
              pcmWave(2, kMixRate, 16, le16(level(2, kMixRate / 5, 1000))));
    writeFile((game.path() / "loop.wav").string(),
              pcmWave(2, kMixRate, 16, le16(level(2, kMixRate / 10, 3000))));
    const std::string input =
        "frames 1\naudio cap.wav\nconsole playsound a.wav\nframes 5\nstate\n"
        "console playmusic loop.wav\nframes 40\nstate\nconsole playmusic loop.wav\n"
        "console stopmusic\nframes 10\nstate\nclose\n";
    auto first = runHeadless(game, input);
    Bytes captured = readFile((game.path() / "cap.wav").string());
    auto second = runHeadless(game, input);
    EXPECT_EQ(readFile((game.path() / "cap.wav").string()), captured);
    ASSERT_EQ(first.status, 0) << first.all();
    EXPECT_EQ(first.lines, second.lines);

    EXPECT_TRUE(first.has("S voices=1,0,0,0,0")) << first.all();
    EXPECT_TRUE(first.has("S slots=a.wav:1,:0,:0,:0,:0"));
    EXPECT_TRUE(first.has("S music=loop.wav 1"));
    EXPECT_TRUE(first.has("S music=loop.wav 0"));
    EXPECT_TRUE(first.printed("loop.wav already playing"));

    // 55 frames of 10 ms were captured: 0.55 s of the mix.
    std::vector<int16_t> samples = samplesOf(captured);
    ASSERT_EQ(samples.size(), 55u * kMixRate / 100 * 2);
    int effect = 0, music = 0, both = 0, silent = 0;
    for (int16_t s : samples) {
        effect += s == 1000;
        music += s == 3000;
        both += s == 4000;
        silent += s == 0;
    }
    EXPECT_EQ(effect + both, kMixRate / 5 * 2);  // the whole effect, once
    // The music, 0.1 s long, sounded for more than its length: it looped.
    EXPECT_GT(music + both, kMixRate / 10 * 2 * 2);
    // Loop after loop without a gap: no silence between the music's first sample and its
    // last.
    size_t begin = samples.size(), end = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] != 3000 && samples[i] != 4000) continue;
        begin = std::min(begin, i);
        end = i;
    }
    ASSERT_LT(begin, end);
    EXPECT_EQ(std::count(samples.begin() + begin, samples.begin() + end, 0), 0);
    EXPECT_EQ(samples.back(), 0);  // silent once stopped
    EXPECT_GT(silent, 0);
}

}  // namespace

namespace {

// Every source keeps left and right apart through the volume, and mono sounds on both
// sides at its full level, effect or music alike.
TEST(HeadlessAudio, ChannelsStayApartAndMonoFillsBoth) {
    struct Case {
        const char* command;
        int channels;
        int16_t left, right;  // mono: left alone
        int volume;
        int16_t heardLeft, heardRight;
    } cases[] = {
        {"playsound", 2, 8000, 0, 100, 8000, 0},
        {"playsound", 2, 0, -6000, 50, 0, -6000 * 32767 / 65536},
        {"playmusic", 2, 8000, 0, 100, 8000, 0},
        {"playmusic", 2, 0, -6000, 50, 0, -6000 * 32767 / 65536},
        {"playsound", 1, 7000, 0, 100, 7000, 7000},
        {"playmusic", 1, 7000, 0, 100, 7000, 7000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.command << " " << c.channels << " channels, "
                                          << c.left << "/" << c.right << " at " << c.volume);
        headless_test::GameFolder game;
        game.write("init.scn", headless_test::viewFile("NONE", {}));
        std::vector<int16_t> samples;
        for (int i = 0; i < kMixRate / 5; ++i) {
            samples.push_back(c.left);
            if (c.channels == 2) samples.push_back(c.right);
        }
        writeFile((game.path() / "s.wav").string(),
                  pcmWave(c.channels, kMixRate, 16, le16(samples)));
        auto run = headless_test::runHeadless(game, "audio cap.wav\nconsole setvol " +
                                                        std::to_string(c.volume) + "\nconsole " +
                                                        c.command + " s.wav\nframes 5\nclose\n");
        ASSERT_EQ(run.status, 0) << run.all();
        std::vector<int16_t> mix = samplesOf(readFile((game.path() / "cap.wav").string()));
        // A frame 30 ms in: well inside the sound.
        ASSERT_GT(mix.size(), 2u * 3 * 441 + 1);
        EXPECT_EQ(mix[2 * 3 * 441], c.heardLeft);
        EXPECT_EQ(mix[2 * 3 * 441 + 1], c.heardRight);
    }
}

}  // namespace
