// The mix: voices and streams summed with saturation, then the master volume.
#include <gtest/gtest.h>

#include "audio/mix_rig.h"
#include "media/mixer_voice.h"

namespace {

SampleStream::Samples samples(std::vector<int16_t> v) {
    return std::make_shared<const std::vector<int16_t>>(std::move(v));
}

TEST(Mixer, VoicesSumAndSaturate) {
    MixRig rig;
    MixerVoice va(rig.mixer, samples(std::vector<int16_t>(8, 20000)));
    MixerVoice vb(rig.mixer, samples(std::vector<int16_t>(8, 20000)));
    MixerVoice vc(rig.mixer, samples(std::vector<int16_t>(8, -30000)));
    va.start();
    EXPECT_EQ(rig.next(), 20000);
    vb.start();
    EXPECT_EQ(rig.next(), 32767);
    vc.start();
    EXPECT_EQ(rig.next(), 10000);
    va.stop();
    vb.stop();
    EXPECT_EQ(rig.next(), -30000);
    vc.start();
    vc.start();  // already sounding: goes on where it is
    EXPECT_EQ(rig.pull(3), (std::vector<int16_t>{-30000, -30000, -30000, -30000, 0, 0}));
}

TEST(Mixer, AVoicePlaysOutThenStartsAgainFromItsBeginning) {
    MixRig rig;
    auto ramp = samples({1, 1, 2, 2, 3, 3});
    auto v = std::make_unique<MixerVoice>(rig.mixer, ramp);
    v->start();
    EXPECT_EQ(rig.pull(4), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 0, 0}));
    EXPECT_FALSE(v->playing());
    v->start();
    EXPECT_TRUE(v->playing());
    EXPECT_EQ(rig.next(), 1);
    v->stop();  // rewinds
    v->start();
    EXPECT_EQ(rig.next(), 1);
    v.reset();  // leaves the mix as it goes
    EXPECT_EQ(rig.next(), 0);
    EXPECT_EQ(ramp.use_count(), 1);
}

TEST(Mixer, LongMixesRunPastOneBlock) {
    MixRig rig;
    std::vector<int16_t> ramp(2 * 2000);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<int16_t>(i / 2);
    MixerVoice v(rig.mixer, samples(ramp));
    v.start();
    std::vector<int16_t> out = rig.pull(2100);
    EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + 4000), ramp);
    EXPECT_EQ(out[4000], 0);
}

TEST(Mixer, StreamsJoinTheMixWhileTheirInputsLive) {
    MixRig rig;
    LevelStream music(300), movie(-1000);
    MixerInput musicIn = rig.mixer.add(music);
    EXPECT_FALSE(rig.mixer.add(music).inMix());  // once only
    EXPECT_EQ(rig.next(), 300);
    {
        MixerInput movieIn = rig.mixer.add(movie);
        EXPECT_EQ(rig.next(), -700);
        MixerInput moved = std::move(musicIn);
        EXPECT_FALSE(musicIn.inMix());
        EXPECT_EQ(rig.next(), -700);
        moved.reset();
        EXPECT_EQ(rig.next(), -1000);
    }
    EXPECT_EQ(rig.next(), 0);
}

// The mixer adds a sample stream straight from its samples; a plain read gives the same
// frames. After 4 of the 10 frames, reads that stop one frame short of the end, at it
// and one past it.
TEST(SampleStream, ReadAndAddGiveTheSameFramesUpToTheEnd) {
    std::vector<int16_t> ramp;
    for (int16_t i = 1; i <= 10; ++i) ramp.insert(ramp.end(), {i, static_cast<int16_t>(-i)});
    ramp.push_back(99);  // half a frame: never played
    for (int past : {-1, 0, 1}) {
        SampleStream read(samples(ramp)), added(samples(ramp));
        read.start();
        added.start();
        std::vector<int16_t> out(2 * 7), scratch(2 * 7);
        std::vector<int32_t> sum(2 * 7, 0);
        size_t at = 0;
        for (size_t n : {size_t{4}, static_cast<size_t>(6 + past)}) {
            const size_t got = read.read(out.data(), n);
            EXPECT_EQ(got, std::min<size_t>(n, 10 - at)) << past;
            ASSERT_EQ(added.addTo(sum.data(), n, scratch.data()), got) << past;
            for (size_t i = 0; i < 2 * got; ++i) {
                EXPECT_EQ(out[i], ramp[2 * at + i]) << past;
                EXPECT_EQ(sum[i], ramp[2 * at + i]) << past;
                sum[i] = 0;
            }
            at += got;
        }
        EXPECT_EQ(read.playing(), past < 0) << past;
        EXPECT_EQ(added.playing(), past < 0) << past;
        if (past < 0) continue;
        EXPECT_EQ(read.read(out.data(), 1), 0u) << "played out";
        read.start();
        EXPECT_EQ(read.read(out.data(), 1), 1u);
        EXPECT_EQ(out[0], 1) << "starts again at 0";
    }
    SampleStream none(nullptr);
    none.start();
    EXPECT_FALSE(none.playing());
}

TEST(Mixer, AnInputMovedOverAnotherTakesTheOtherOut) {
    MixRig rig;
    LevelStream a(100), b(20);
    MixerInput in = rig.mixer.add(a);
    in = rig.mixer.add(b);
    EXPECT_EQ(rig.next(), 20);
    in = MixerInput();
    EXPECT_EQ(rig.next(), 0);
    in.reset();  // nothing left to take out
}

TEST(Mixer, AnInputMayOutliveItsMixer) {
    LevelStream a(100);
    MixerInput in;
    {
        MixRig rig;
        in = rig.mixer.add(a);
        EXPECT_TRUE(in.inMix());
    }
    EXPECT_FALSE(in.inMix());
    in.reset();
}

TEST(Mixer, MasterVolume) {
    MixRig rig;
    LevelStream s(10000);
    MixerInput in = rig.mixer.add(s);
    EXPECT_EQ(rig.mixer.getVolume(), 0xFFFFFFFFu);
    EXPECT_EQ(rig.pull(1), (std::vector<int16_t>{10000, 10000}));
    EXPECT_EQ(rig.mixer.setVolume(50, 50), 0);
    EXPECT_EQ(rig.mixer.getVolume(), 0x7FFF7FFFu);
    EXPECT_EQ(rig.pull(1), (std::vector<int16_t>{4999, 4999}));
    rig.mixer.setVolume(100, 0);
    EXPECT_EQ(rig.mixer.getVolume(), 0x0000FFFFu);
    EXPECT_EQ(rig.pull(1), (std::vector<int16_t>{10000, 0}));
    rig.mixer.setVolume(0x40000000u);  // right a quarter, left off
    EXPECT_EQ(rig.pull(1), (std::vector<int16_t>{0, 2500}));
    rig.mixer.setVolume(1, 99);
    EXPECT_EQ(rig.mixer.getVolume(), (64879u << 16) | 655u);
    // The clipped mix is scaled, as a system volume scales what is played.
    LevelStream loud(30000);
    MixerInput loudIn = rig.mixer.add(loud);
    rig.mixer.setVolume(50, 50);
    EXPECT_EQ(rig.next(), 32767 * 32767 / 65536);
}

TEST(Mixer, SilentUntilAnOutputOpens) {
    Mixer mixer;
    EXPECT_TRUE(mixer.silent());
    EXPECT_FALSE(mixer.create(nullptr));
    struct Refusing : NullAudioOutput {
        bool open(AudioSource&, int) override { return false; }
    };
    EXPECT_FALSE(mixer.create(std::make_unique<Refusing>()));
    EXPECT_TRUE(mixer.silent());
    mixer.beep();  // nothing to do, nothing breaks
    EXPECT_TRUE(mixer.create(std::make_unique<NullAudioOutput>()));
    EXPECT_FALSE(mixer.silent());
}

TEST(Mixer, BeepIsEightyMillisecondsOfSquareWave) {
    MixRig rig;
    rig.mixer.beep();
    std::vector<int16_t> out = rig.pull(4000);
    EXPECT_EQ(out[0], 4000);
    EXPECT_EQ(out[2 * 30], -4000);  // half of the 50-frame period
    EXPECT_NE(out[2 * 3527], 0);
    EXPECT_EQ(out[2 * 3528], 0);
}

}  // namespace
