// The mix: voices and streams summed with saturation, then the master volume.
#include <gtest/gtest.h>

#include "audio/mix_rig.h"

namespace {

TEST(Mixer, VoicesSumAndSaturate) {
    MixRig rig;
    std::vector<int16_t> a(8, 20000), b(8, 20000), c(8, -30000);
    int va = rig.mixer.openVoice(a.data(), 4);
    int vb = rig.mixer.openVoice(b.data(), 4);
    int vc = rig.mixer.openVoice(c.data(), 4);
    rig.mixer.startVoice(va);
    EXPECT_EQ(rig.next(), 20000);
    rig.mixer.startVoice(vb);
    EXPECT_EQ(rig.next(), 32767);
    rig.mixer.startVoice(vc);
    EXPECT_EQ(rig.next(), 10000);
    rig.mixer.stopVoice(va);
    rig.mixer.stopVoice(vb);
    EXPECT_EQ(rig.next(), -30000);
    rig.mixer.startVoice(vc);
    rig.mixer.startVoice(vc);  // already sounding: goes on where it is
    EXPECT_EQ(rig.pull(3), (std::vector<int16_t>{-30000, -30000, -30000, -30000, 0, 0}));
}

TEST(Mixer, AVoicePlaysOutThenStartsAgainFromItsBeginning) {
    MixRig rig;
    std::vector<int16_t> ramp{1, 1, 2, 2, 3, 3};
    int v = rig.mixer.openVoice(ramp.data(), 3);
    rig.mixer.startVoice(v);
    EXPECT_EQ(rig.pull(4), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 0, 0}));
    EXPECT_FALSE(rig.mixer.voicePlaying(v));
    rig.mixer.startVoice(v);
    EXPECT_TRUE(rig.mixer.voicePlaying(v));
    EXPECT_EQ(rig.next(), 1);
    rig.mixer.stopVoice(v);  // rewinds
    rig.mixer.startVoice(v);
    EXPECT_EQ(rig.next(), 1);
    rig.mixer.closeVoice(v);
    EXPECT_FALSE(rig.mixer.voicePlaying(v));
    EXPECT_EQ(rig.next(), 0);
    // A closed voice's number is given out again.
    EXPECT_EQ(rig.mixer.openVoice(ramp.data(), 3), v);
}

TEST(Mixer, LongMixesRunPastOneBlock) {
    MixRig rig;
    std::vector<int16_t> samples(2 * 2000);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(i / 2);
    int v = rig.mixer.openVoice(samples.data(), 2000);
    rig.mixer.startVoice(v);
    std::vector<int16_t> out = rig.pull(2100);
    EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + 4000), samples);
    EXPECT_EQ(out[4000], 0);
}

TEST(Mixer, StreamsJoinTheMixWhileAdded) {
    MixRig rig;
    LevelStream music(300), movie(-1000);
    rig.mixer.addStream(&music);
    rig.mixer.addStream(&music);  // once only
    EXPECT_EQ(rig.next(), 300);
    rig.mixer.addStream(&movie);
    EXPECT_EQ(rig.next(), -700);
    rig.mixer.removeStream(&music);
    EXPECT_EQ(rig.next(), -1000);
    rig.mixer.removeStream(&movie);
    EXPECT_EQ(rig.next(), 0);
}

TEST(Mixer, MasterVolume) {
    MixRig rig;
    LevelStream s(10000);
    rig.mixer.addStream(&s);
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
    rig.mixer.addStream(&loud);
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
