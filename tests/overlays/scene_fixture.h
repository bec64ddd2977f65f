#pragma once
// An engine with a 640x480 screen whose every present is seen by the test, pictures of
// one colour, the movie tests' numbered movies, and optionally the mix pulled on the
// virtual clock.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "media/mixer.h"
#include "movie/movie_test_support.h"
#include "platform/null_display.h"
#include "support/engine_test.h"
#include "support/painted_picture.h"

class SceneTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        auto display = std::make_unique<NullDisplay>([this] {
            host.advanceClock(10);
            ++presents;
            if (onPresent) onPresent();
        });
        g().screen = std::make_unique<Screen>(std::move(display), host.clock(), text(), pictures());
        ASSERT_EQ(g().screen->createWindowed(640, 480), 0);
        engine->assets().setScreen(g().screen.get());
        scene().setBackdrop(std::make_unique<Surface>());
        scene().backdrop()->create(g().screen.get(), 640, 480, kPlacementAny);
    }

    // The mix, pulled 10 ms at every present; what it plays is captured to "mix.wav".
    void addMixer() {
        g().mixer = std::make_unique<Mixer>();
        ASSERT_TRUE(g().mixer->create(host.createAudioOutput()));
        ASSERT_TRUE(host.audio().startCapture(path("mix.wav")));
    }
    // The captured mix so far, as interleaved stereo samples.
    std::vector<int16_t> heard() {
        host.audio().stopCapture();
        std::vector<int16_t> samples;
        std::ifstream in(path("mix.wav"), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        for (size_t i = 44; i + 1 < bytes.size(); i += 2)
            samples.push_back(static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                   (static_cast<uint8_t>(bytes[i + 1]) << 8)));
        return samples;
    }

    // A 24-bit BMP of one colour but for its top-left pixel, magenta: drawn colour-keyed,
    // that pixel alone is left out.
    void writePicture(const std::string& name, int width, int height, uint32_t rgb) {
        Picture p = paintedPicture(
            width, height, [rgb](int x, int y) { return x == 0 && y == 0 ? 0xFF00FFu : rgb; });
        ASSERT_TRUE(writeBmp24(path(name), p));
    }

    // The 12-second numbered movie (25 pictures a second, 320x240, with a tone).
    void linkLongMovie(const std::string& name) {
        std::filesystem::create_symlink(fixtureMovie("mpeg"), dir / name);
    }
    // A short numbered movie of its own.
    void writeMovie(const std::string& name, int frames, int width = 160, int height = 120,
                    bool sound = false) {
        TestMovie m;
        m.frames = frames;
        m.width = width;
        m.height = height;
        if (!sound) m.sound.clear();
        ASSERT_EQ(writeTestMovie(path(name), m), "");
    }

    uint32_t pixel(uint32_t rgb) {
        return g().screen->format().map((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    uint32_t at(int x, int y) { return g().screen->back().getPixel(x, y); }
    // The picture number a movie shows in the rectangle of the back buffer.
    int numberIn(int x, int y, int width, int height) {
        Surface part;
        part.create(g().screen->format(), width, height);
        Rect r{x, y, x + width, y + height};
        g().screen->back().draw(part, 0, 0, &r);
        return frameNumberIn(part);
    }
    // One Play frame with the pointer out of the way.
    void playFrame() { EngineTestAccess::frames(*engine).play(639, 479); }

    int presents = 0;
    std::function<void()> onPresent;
};
