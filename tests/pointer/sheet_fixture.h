#pragma once
// A game folder of pointer sheets in a temporary directory, entered for the test (the
// engine names files relative to the working directory), and a 640x480 screen on the
// fixture's virtual clock, with text and the core picture formats.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/game_state.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/picture_formats.h"
#include "platform/null_display.h"
#include "platform/sdl/sdl_text_renderer.h"

class SheetFixture : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        previous = fs::current_path();
        dir = fs::temp_directory_path() /
              ("vorlen-sheets-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        fs::current_path(dir);
        installClock(&clock);
        resetGame();
        game().screen = std::make_unique<Screen>(
            std::make_unique<NullDisplay>([this] { clock.advanceMillis(10); }), clock, &text,
            &formats);
        ASSERT_EQ(game().screen->createWindowed(640, 480), 0);
    }
    void TearDown() override {
        resetGame();
        installClock(nullptr);
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }

    // A sheet of `frames` 64x64 frames in one row: frame i is filled with colour
    // frameColour(i) except its top-left pixel, which is the key colour (magenta).
    static uint32_t frameColour(int i) { return 0x102030u + 0x200000u * (i + 1); }
    void writeSheet(const std::string& name, int frames, int perRow = 0) {
        if (perRow == 0) perRow = frames;
        int rows = (frames + perRow - 1) / perRow;
        Picture p;
        p.width = 64 * perRow;
        p.height = 64 * rows;
        p.bitsPerPixel = 24;
        p.stride = static_cast<size_t>(p.width) * 3;
        p.pixels.assign(p.stride * p.height, 0);
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                int frame = (y / 64) * perRow + x / 64;
                uint32_t c = frameColour(frame);
                if (x % 64 == 0 && y % 64 == 0) c = 0xFF00FF;
                uint8_t* px = p.row(y) + 3 * x;
                px[0] = c & 0xFF;
                px[1] = (c >> 8) & 0xFF;
                px[2] = (c >> 16) & 0xFF;
            }
        }
        ASSERT_TRUE(writeBmp24(name, p));
    }
    // Which frame's colour the back buffer shows at (x, y), or -1.
    int frameShownAt(int x, int y) {
        Surface& back = game().screen->back();
        uint32_t pixel = back.getPixel(x, y);
        for (int i = 0; i < 16; ++i) {
            uint32_t c = frameColour(i);
            if (pixel == back.format().map((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF)) return i;
        }
        return -1;
    }
    void clearBack() { game().screen->back().fill(0); }

    VirtualClock clock;
    SdlTextRenderer text;
    PictureFormats formats = corePictureFormats();
    std::filesystem::path dir, previous;
};
