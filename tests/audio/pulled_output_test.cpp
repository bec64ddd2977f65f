// The headless runner's output: exactly the frames due by the virtual time, and the WAV
// file it writes of them.
#include <gtest/gtest.h>

#include "audio/audio_fixtures.h"
#include "audio/mix_rig.h"
#include "platform/headless/pulled_audio_output.h"

namespace {

uint64_t due(uint64_t nanos) {
    return static_cast<uint64_t>(static_cast<unsigned __int128>(nanos) * 44100 / 1000000000);
}

uint32_t get32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t get16(const Bytes& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// A mixer on a pulled output, the way the headless runner sets it up.
struct PulledRig {
    PulledRig() {
        auto owned = std::make_unique<PulledAudioOutput>();
        output = owned.get();
        mixer.create(std::move(owned));
    }
    Mixer mixer;
    PulledAudioOutput* output = nullptr;
};

TEST(PulledOutput, MixesExactlyTheFramesDueWithoutDrift) {
    PulledRig rig;
    rig.output->advanceTo(0);
    EXPECT_EQ(rig.output->framesMixed(), 0u);
    rig.output->advanceTo(10000000);
    EXPECT_EQ(rig.output->framesMixed(), 441u);
    rig.output->advanceTo(10022675);  // 441.99 frames
    EXPECT_EQ(rig.output->framesMixed(), 441u);
    rig.output->advanceTo(10022676);
    EXPECT_EQ(rig.output->framesMixed(), 442u);
    rig.output->advanceTo(5000000);  // the past mixes nothing
    EXPECT_EQ(rig.output->framesMixed(), 442u);
    // Steps that are no whole number of frames add up to the exact count.
    uint64_t t = 10022676;
    for (int i = 0; i < 3000; ++i) {
        t += 333333;  // a third of a millisecond
        rig.output->advanceTo(t);
        ASSERT_EQ(rig.output->framesMixed(), due(t)) << i;
    }
    for (int i = 0; i < 1000; ++i) rig.output->advanceTo(t += 7000000);
    EXPECT_EQ(rig.output->framesMixed(), due(t));
}

TEST(PulledOutput, CaptureWritesTheMixAsA16BitStereoWave) {
    ScratchFolder dir("capture");
    PulledRig rig;
    LevelStream stream(-1234);
    MixerInput input = rig.mixer.add(stream);
    rig.mixer.setVolume(100, 0);
    rig.output->advanceTo(5000000);  // before the capture: not in the file
    ASSERT_TRUE(rig.output->startCapture(dir / "a.wav"));
    rig.output->advanceTo(15000000);
    ASSERT_TRUE(rig.output->stopCapture());
    Bytes file = readFile(dir / "a.wav");
    ASSERT_EQ(file.size(), 44u + 441 * 4);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{'R', 'I', 'F', 'F'}));
    EXPECT_EQ(get32(file, 4), 36u + 441 * 4);
    EXPECT_EQ(Bytes(file.begin() + 8, file.begin() + 16),
              (Bytes{'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}));
    EXPECT_EQ(get32(file, 16), 16u);
    EXPECT_EQ(get16(file, 20), 1);
    EXPECT_EQ(get16(file, 22), 2);
    EXPECT_EQ(get32(file, 24), 44100u);
    EXPECT_EQ(get32(file, 28), 44100u * 4);
    EXPECT_EQ(get16(file, 32), 4);
    EXPECT_EQ(get16(file, 34), 16);
    EXPECT_EQ(get32(file, 40), 441u * 4);
    EXPECT_EQ(static_cast<int16_t>(get16(file, 44)), -1234);
    EXPECT_EQ(static_cast<int16_t>(get16(file, 46)), 0);
}

TEST(PulledOutput, ASecondCaptureCompletesTheFirst) {
    ScratchFolder dir("capture2");
    {
        PulledRig rig;
        ASSERT_TRUE(rig.output->startCapture(dir / "one.wav"));
        rig.output->advanceTo(10000000);
        ASSERT_TRUE(rig.output->startCapture(dir / "two.wav"));
        rig.output->advanceTo(30000000);
        EXPECT_FALSE(rig.output->startCapture(dir / "no/such/folder.wav"));
        ASSERT_TRUE(rig.output->startCapture(dir / "three.wav"));
        rig.output->advanceTo(40000000);
        // The last file is completed when the output goes.
    }
    EXPECT_EQ(get32(readFile(dir / "one.wav"), 40), 441u * 4);
    EXPECT_EQ(get32(readFile(dir / "two.wav"), 40), 882u * 4);
    Bytes three = readFile(dir / "three.wav");
    EXPECT_EQ(get32(three, 40), 441u * 4);
    EXPECT_EQ(three.size(), 44u + 441 * 4);
}

TEST(PulledOutput, SilenceWithoutASource) {
    ScratchFolder dir("nosource");
    PulledAudioOutput output;
    ASSERT_TRUE(output.startCapture(dir / "quiet.wav"));
    output.advanceTo(1000000000);
    ASSERT_TRUE(output.stopCapture());
    Bytes file = readFile(dir / "quiet.wav");
    ASSERT_EQ(file.size(), 44u + 44100 * 4);
    EXPECT_EQ(Bytes(file.begin() + 44, file.end()), Bytes(44100 * 4, 0));
}

}  // namespace
