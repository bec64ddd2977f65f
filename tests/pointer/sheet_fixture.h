#pragma once
// An engine with a 640x480 screen in a game folder of pointer sheets.
#include <gtest/gtest.h>

#include "support/engine_test.h"
#include "support/painted_picture.h"

class SheetFixture : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        addScreen();
    }

    // A sheet of `frames` 64x64 frames in one row: frame i is filled with colour
    // frameColour(i) except its top-left pixel, which is the key colour (magenta).
    static uint32_t frameColour(int i) { return 0x102030u + 0x200000u * (i + 1); }
    void writeSheet(const std::string& name, int frames, int perRow = 0) {
        if (perRow == 0) perRow = frames;
        int rows = (frames + perRow - 1) / perRow;
        Picture p = paintedPicture(64 * perRow, 64 * rows, [&](int x, int y) {
            if (x % 64 == 0 && y % 64 == 0) return 0xFF00FFu;
            return frameColour((y / 64) * perRow + x / 64);
        });
        ASSERT_TRUE(writeBmp24(path(name), p));
    }
    // Which frame's colour the back buffer shows at (x, y), or -1.
    int frameShownAt(int x, int y) {
        Surface& back = g().screen->back();
        uint32_t pixel = back.getPixel(x, y);
        for (int i = 0; i < 16; ++i) {
            uint32_t c = frameColour(i);
            if (pixel == back.format().map((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF)) return i;
        }
        return -1;
    }
    void clearBack() { g().screen->back().fill(0); }
};
