// Sound effects and the five slots, checked in the mixed samples: which effects sound,
// how many voices, which one a sixth request cuts off.
#include "media/sound_slots.h"

#include <gtest/gtest.h>

#include "audio/audio_fixtures.h"
#include "audio/mix_rig.h"
#include "media/sound.h"

namespace {

class SoundSlotsTest : public ::testing::Test {
protected:
    // An effect of 2000 frames at one level: its level tells it apart in the mix.
    std::string effect(const std::string& name, int16_t value) {
        std::string path = dir_ / name;
        EXPECT_TRUE(writeFile(path, pcmWave(2, kMixRate, 16, le16(level(2, 2000, value)))));
        return path;
    }
    // Frame k holds the value k: a voice's value tells how far it has played.
    std::string ramp(const std::string& name) {
        std::vector<int16_t> s;
        for (int16_t k = 0; k < 2000; ++k) s.insert(s.end(), {k, k});
        std::string path = dir_ / name;
        EXPECT_TRUE(writeFile(path, pcmWave(2, kMixRate, 16, le16(s))));
        return path;
    }

    ScratchFolder dir_{"slots"};
    MixRig rig_;
    RecordingSink sink_;
    SoundSlots slots_{&rig_.mixer, anyFolder(), sink_};
};

TEST_F(SoundSlotsTest, TheSixthNewEffectReplacesTheFirst) {
    std::vector<std::string> names;
    int16_t value = 100;
    for (const char* n : {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav", "f.wav"}) {
        names.push_back(effect(n, value));
        value = static_cast<int16_t>(value * 2);
    }
    for (int i = 0; i < 5; ++i) slots_.playSound(names[static_cast<size_t>(i)]);
    EXPECT_EQ(rig_.next(), 100 + 200 + 400 + 800 + 1600);
    slots_.playSound(names[5]);
    // A is gone from the mix and from slot 0; F sounds.
    EXPECT_EQ(rig_.next(), 200 + 400 + 800 + 1600 + 3200);
    EXPECT_EQ(slots_.slot(0).name, names[5]);
    EXPECT_EQ(slots_.slot(0).playCount, 1);
    EXPECT_EQ(sink_.lines.back(), "W Playing new sound: " + names[5]);
    EXPECT_EQ(slots_.voicesSounding(), (std::array<int, 5>{1, 1, 1, 1, 1}));
}

TEST_F(SoundSlotsTest, AnEffectPlayedOftenStaysLoaded) {
    std::string a = effect("a.wav", 100);
    for (int i = 0; i < 5; ++i) slots_.playSound(a);
    EXPECT_EQ(sink_.lines.back(), "W Playing loaded sound: " + a + "  (5 times)");
    EXPECT_EQ(rig_.next(), 5 * 100) << "five overlapping voices";
    slots_.playSound(effect("b.wav", 200));
    slots_.playSound(effect("c.wav", 400));
    slots_.playSound(effect("d.wav", 800));
    slots_.playSound(effect("e.wav", 1600));
    slots_.playSound(effect("f.wav", 3200));
    EXPECT_EQ(rig_.next(), 5 * 100 + 400 + 800 + 1600 + 3200) << "B replaced";
    EXPECT_EQ(slots_.slot(0).name, a);
    EXPECT_EQ(slots_.slot(1).name, dir_ / "f.wav");
    // Among equal counts the lowest slot goes, even the one loaded last.
    slots_.playSound(effect("g.wav", 6400));
    EXPECT_EQ(slots_.slot(1).name, dir_ / "g.wav");
    EXPECT_EQ(rig_.next(), 5 * 100 + 400 + 800 + 1600 + 6400);
}

TEST_F(SoundSlotsTest, ASixthQuickRequestCutsOffTheOldestVoice) {
    std::string g = ramp("g.wav");
    for (int i = 0; i < 5; ++i) {
        slots_.playSound(g);
        rig_.pull(100);
    }
    // Voices started 100 frames apart: now 500, 400, 300, 200 and 100 frames in.
    EXPECT_EQ(slots_.voicesSounding(), (std::array<int, 5>{5, 0, 0, 0, 0}));
    EXPECT_EQ(rig_.next(), 500 + 400 + 300 + 200 + 100);
    slots_.playSound(g);
    // The voice 501 frames in starts again at 0; the other four go on.
    EXPECT_EQ(rig_.next(), 0 + 401 + 301 + 201 + 101);
    EXPECT_EQ(slots_.slot(0).sound->current(), 0);
    EXPECT_EQ(slots_.voicesSounding()[0], 5);
    EXPECT_EQ(sink_.lines.back(), "W Playing loaded sound: " + g + "  (6 times)");
    // Played out, every voice falls silent.
    rig_.pull(2000);
    EXPECT_EQ(slots_.voicesSounding()[0], 0);
    EXPECT_EQ(rig_.next(), 0);
}

TEST_F(SoundSlotsTest, AnEffectThatFailsToLoadKeepsItsSlotAndSaysWhy) {
    std::string door = dir_ / "door.wav";
    ASSERT_TRUE(writeFile(
        door, riff({chunk("fmt ", formatBody(3, 2, kMixRate, 32)), chunk("data", Bytes(8))})));
    slots_.playSound(door);
    EXPECT_EQ(sink_.lines, (std::vector<std::string>{"W Playing new sound: " + door,
                                                     "R Could not load sound " + door +
                                                         ": not a PCM wave file (format tag 3)"}));
    slots_.playSound(door);
    EXPECT_EQ(sink_.lines.back(), "W Playing loaded sound: " + door + "  (2 times)");
    EXPECT_EQ(rig_.next(), 0);
    EXPECT_EQ(slots_.slotLine(0), "SLOT 0: " + door + "  2x");
}

TEST_F(SoundSlotsTest, SoundListAndClear) {
    slots_.playSound(effect("a.wav", 10));
    slots_.playSound(dir_ / "a.wav");
    sink_.lines.clear();
    slots_.soundList();
    EXPECT_EQ(sink_.lines,
              (std::vector<std::string>{"W SLOT 0: " + dir_ / "a.wav" + "  2x", "W SLOT 1: NULL",
                                        "W SLOT 2: NULL", "W SLOT 3: NULL", "W SLOT 4: NULL"}));
    EXPECT_EQ(rig_.next(), 20);
    slots_.clear();
    EXPECT_EQ(rig_.next(), 0);
    EXPECT_EQ(slots_.slotLine(0), "SLOT 0: NULL");
    EXPECT_EQ(slots_.slot(0).playCount, 0);
}

TEST_F(SoundSlotsTest, OneVoiceAndStop) {
    Sound sound;
    std::string error;
    ASSERT_TRUE(sound.load(&rig_.mixer, ramp("r.wav"), 1, error));
    EXPECT_TRUE(sound.play());
    rig_.pull(10);
    // A single busy voice is not cut off: the request fails.
    EXPECT_FALSE(sound.play());
    EXPECT_EQ(rig_.next(), 10);
    sound.stop();
    EXPECT_EQ(sound.voicesSounding(), 0);
    EXPECT_TRUE(sound.play());
    EXPECT_EQ(rig_.next(), 0) << "stop rewinds";
    Sound none;
    EXPECT_FALSE(none.play());
    EXPECT_FALSE(none.load(nullptr, ramp("r.wav"), 5, error));
    EXPECT_EQ(error, "no sound device");
    EXPECT_FALSE(none.play());
}

TEST(SoundSlotsSilent, NothingSoundsButFilesAreStillChecked) {
    Mixer silent;
    RecordingSink sink;
    SoundSlots slots(&silent, anyFolder(), sink);
    ScratchFolder dir("silent");
    writeFile(dir / "a.wav", pcmWave(1, 22050, 8, Bytes(100, 200)));
    slots.playSound(dir / "a.wav");
    slots.playSound(dir / "missing.wav");
    EXPECT_EQ(
        sink.lines,
        (std::vector<std::string>{
            "W Playing new sound: " + dir / "a.wav", "W Playing new sound: " + dir / "missing.wav",
            "R Could not load sound " + dir / "missing.wav" + ": cannot open the file"}));
    EXPECT_EQ(slots.voicesSounding(), (std::array<int, 5>{0, 0, 0, 0, 0}));
}

}  // namespace
