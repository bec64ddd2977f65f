// The encoding thread: order kept, pictures dropped only beyond the waiting limit.
#include "media/threaded_recorder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

// Records what arrives; holds the encoding thread at its first picture until released.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    bool entered = false;  // the encoding thread has the first picture
    std::vector<std::string> calls;
};

class SlowRecorder : public VideoRecorder {
public:
    explicit SlowRecorder(Gate& gate) : gate_(gate) {}
    bool addPicture(const uint8_t* pixels, int pitch, int64_t index) override {
        std::unique_lock<std::mutex> lock(gate_.mutex);
        gate_.entered = true;
        gate_.changed.notify_all();
        gate_.changed.wait(lock, [this] { return gate_.open; });
        gate_.calls.push_back("p" + std::to_string(index) + ":" + std::to_string(pixels[0]) + "/" +
                              std::to_string(pitch));
        return true;
    }
    bool addSound(const int16_t* samples, size_t frames) override {
        std::lock_guard<std::mutex> guard(gate_.mutex);
        gate_.calls.push_back("s" + std::to_string(frames) + ":" + std::to_string(samples[0]));
        return true;
    }
    bool finish() override {
        std::lock_guard<std::mutex> guard(gate_.mutex);
        gate_.calls.push_back("end");
        return true;
    }
    std::string error() const override { return {}; }

private:
    Gate& gate_;
};

TEST(ThreadedRecorder, KeepsTheOrderAndDropsPicturesBeyondTheLimit) {
    struct Case {
        int pictures;
        size_t dropped;
    };
    // The limit is 3 waiting, besides the picture in the encoder's hands.
    for (const Case& c : {Case{3, 0}, Case{4, 0}, Case{5, 1}}) {
        Gate gate;
        ThreadedVideoRecorder r(std::make_unique<SlowRecorder>(gate), 2, 2, 3);
        // Rows of 2 bytes from a picture of pitch 4: the copy is packed.
        uint8_t pixels[8] = {};
        for (int i = 0; i < c.pictures; ++i) {
            pixels[0] = static_cast<uint8_t>(i);
            EXPECT_TRUE(r.addPicture(pixels, 4, i));
            if (i == 0) {
                std::unique_lock<std::mutex> lock(gate.mutex);
                gate.changed.wait(lock, [&gate] { return gate.entered; });
            }
        }
        const int16_t sound[4] = {7, 7, 7, 7};
        EXPECT_TRUE(r.addSound(sound, 2));
        {
            std::lock_guard<std::mutex> guard(gate.mutex);
            gate.open = true;
        }
        gate.changed.notify_all();
        EXPECT_TRUE(r.finish());
        EXPECT_TRUE(r.finish());  // a second finish changes nothing
        EXPECT_EQ(r.droppedPictures(), c.dropped) << c.pictures;
        ASSERT_GE(gate.calls.size(), 3u);
        EXPECT_EQ(gate.calls[0], "p0:0/2");
        EXPECT_EQ(gate.calls[gate.calls.size() - 2], "s2:7");
        EXPECT_EQ(gate.calls.back(), "end");
        EXPECT_EQ(gate.calls.size(), static_cast<size_t>(c.pictures) - r.droppedPictures() + 2);
        EXPECT_FALSE(r.addPicture(pixels, 4, 99));  // finished
    }
}

}  // namespace
