// Which frame a present lands in, and what reaches the recorder.
#include "media/timed_recording.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Log {
    std::vector<int64_t> pictures;
    size_t soundFrames = 0;
    bool finished = false;
};

class FakeRecorder : public VideoRecorder {
public:
    explicit FakeRecorder(Log& log, int64_t failAt = -1) : log_(log), failAt_(failAt) {}
    bool addPicture(const uint8_t*, int, int64_t index) override {
        log_.pictures.push_back(index);
        return index != failAt_;
    }
    bool addSound(const int16_t*, size_t frames) override {
        log_.soundFrames += frames;
        return true;
    }
    bool finish() override {
        log_.finished = true;
        return true;
    }
    std::string error() const override { return "full"; }

private:
    Log& log_;
    int64_t failAt_;
};

constexpr uint64_t kMs = 1000000;

TEST(TimedRecording, APresentIsTheFrameOfTheStepItFallsIn) {
    struct Case {
        uint64_t now;
        int64_t frame;
    };
    Log log;
    TimedRecording r(std::make_unique<FakeRecorder>(log), 50 * kMs, 10);
    for (const Case& c : {Case{49 * kMs, -1}, Case{50 * kMs, 0}, Case{60 * kMs - 1, 0},
                          Case{60 * kMs, 1}, Case{1050 * kMs, 100}}) {
        EXPECT_EQ(r.frameAt(c.now), c.frame) << c.now;
    }
}

TEST(TimedRecording, AtARateThePresentsCountInSixtiethsOfASecond) {
    Log log;
    TimedRecording r(std::make_unique<FakeRecorder>(log), 0, 10, 60);
    const uint64_t sixtieth = 1000000000u / 60;  // 16666666 ns, a third of a ns short
    EXPECT_EQ(r.frameAt(sixtieth), 0);
    EXPECT_EQ(r.frameAt(sixtieth + 1), 1);
    EXPECT_EQ(r.frameAt(1000000000u - 1), 59);
    EXPECT_EQ(r.frameAt(1000000000u), 60);
    EXPECT_EQ(r.frameAt(uint64_t{3600} * 1000000000u), 216000);  // an hour, no overflow
}

TEST(TimedRecording, OnePictureAStepInOrder) {
    Log log;
    TimedRecording r(std::make_unique<FakeRecorder>(log), 0, 10);
    uint8_t pixel[2] = {};
    // Before the start nothing; two presents in one step keep the first; a gap skips.
    for (uint64_t t : {0 * kMs, 5 * kMs, 10 * kMs, 19 * kMs, 20 * kMs, 70 * kMs, 60 * kMs})
        EXPECT_TRUE(r.present(pixel, 2, t));
    r.sound(nullptr, 441);
    EXPECT_TRUE(r.finish());
    EXPECT_EQ(log.pictures, (std::vector<int64_t>{0, 1, 2, 7}));
    EXPECT_EQ(log.soundFrames, 441u);
    EXPECT_TRUE(log.finished);
}

TEST(TimedRecording, AFailedPictureStopsTheRecording) {
    Log log;
    TimedRecording r(std::make_unique<FakeRecorder>(log, 1), 0, 10);
    uint8_t pixel[2] = {};
    EXPECT_TRUE(r.present(pixel, 2, 0));
    EXPECT_FALSE(r.present(pixel, 2, 10 * kMs));
    EXPECT_FALSE(r.present(pixel, 2, 20 * kMs));
    EXPECT_FALSE(r.sound(nullptr, 10));
    EXPECT_FALSE(r.finish());
    EXPECT_EQ(log.pictures, (std::vector<int64_t>{0, 1}));
    EXPECT_EQ(r.error(), "full");
}

}  // namespace
