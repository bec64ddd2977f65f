// The back buffer drawn into 32-bit window pixels: channel conversion, repeated pixels at
// whole multiples, the filter between them, and redrawing a band of rows.
#include "platform/sdl/frame_scaler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

struct Target {
    int width, height, pitch;
    std::vector<uint8_t> bytes;
    Target(int w, int h) : width(w), height(h), pitch(w * 4 + 12), bytes(pitch * h, 0xAB) {}
    uint32_t at(int x, int y) const {
        uint32_t v;
        std::memcpy(&v, bytes.data() + y * pitch + x * 4, 4);
        return v;
    }
};

struct Source {
    int width, height, pitch;
    std::vector<uint8_t> bytes;
    Source(int w, int h) : width(w), height(h), pitch(w * 2 + 6), bytes(pitch * h, 0) {}
    void set(int x, int y, uint16_t v) { std::memcpy(bytes.data() + y * pitch + x * 2, &v, 2); }
    void noise(uint32_t seed) {
        std::mt19937 rng(seed);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) set(x, y, static_cast<uint16_t>(rng()));
    }
};

void drawAll(FrameScaler& scaler, const Source& s, Target& t) {
    int top = -1, bottom = -1;
    scaler.draw(s.bytes.data(), s.pitch, 0, s.height - 1, t.bytes.data(), t.pitch, top, bottom);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, t.height);
}

TEST(FrameScaler, ChannelsExpandToFullBytesInTheWindowsPlaces) {
    Source s(8, 1);
    const uint16_t in565[] = {0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0000, 0x0841, 0x8410, 0x7BEF};
    for (int x = 0; x < 8; ++x) s.set(x, 0, in565[x]);
    FrameScaler scaler;
    ASSERT_TRUE(scaler.configure(16, 8, 1, 8, 1, ChannelPlaces{}));
    Target t(8, 1);
    drawAll(scaler, s, t);
    const uint32_t xrgb[] = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF,
                             0x000000, 0x080808, 0x848284, 0x7B7D7B};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(t.at(x, 0), xrgb[x]) << "pixel " << x;

    // 5-5-5 into R,G,B,A bytes with an opaque alpha.
    const uint16_t in555[] = {0x7FFF, 0x7C00, 0x03E0, 0x001F};
    for (int x = 0; x < 4; ++x) s.set(x, 0, in555[x]);
    ChannelPlaces rgba{24, 16, 8, 0xFF};
    ASSERT_TRUE(scaler.configure(15, 4, 1, 4, 1, rgba));
    Target u(4, 1);
    drawAll(scaler, s, u);
    EXPECT_EQ(u.at(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(u.at(1, 0), 0xFF0000FFu);
    EXPECT_EQ(u.at(2, 0), 0x00FF00FFu);
    EXPECT_EQ(u.at(3, 0), 0x0000FFFFu);
}

TEST(FrameScaler, WholeMultiplesRepeatEachPixelAndTouchNothingBeyondTheRectangle) {
    Source s(37, 11);  // sizes that are no multiple of a vector
    s.noise(7);
    FrameScaler one;
    ASSERT_TRUE(one.configure(16, 37, 11, 37, 11, ChannelPlaces{}));
    Target reference(37, 11);
    drawAll(one, s, reference);
    for (int factor : {1, 2, 3, 5}) {
        FrameScaler scaler;
        ASSERT_TRUE(scaler.configure(16, 37, 11, 37 * factor, 11 * factor, ChannelPlaces{}));
        EXPECT_TRUE(scaler.repeatsPixels());
        Target t(37 * factor, 11 * factor);
        drawAll(scaler, s, t);
        for (int y = 0; y < t.height; ++y) {
            for (int x = 0; x < t.width; ++x)
                ASSERT_EQ(t.at(x, y), reference.at(x / factor, y / factor))
                    << "factor " << factor << " at " << x << "," << y;
            // The padding at the end of each row stays as it was.
            EXPECT_EQ(t.bytes[y * t.pitch + t.width * 4], 0xAB);
        }
    }
}

TEST(FrameScaler, BetweenMultiplesTheFilterKeepsFlatAreasAndBlendsEdges) {
    Source s(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) s.set(x, y, x < 32 ? 0x0000 : 0xFFFF);
    for (auto size : {std::make_pair(96, 72), std::make_pair(150, 100), std::make_pair(40, 30)}) {
        FrameScaler scaler;
        ASSERT_TRUE(scaler.configure(16, 64, 48, size.first, size.second, ChannelPlaces{}));
        EXPECT_FALSE(scaler.repeatsPixels());
        Target t(size.first, size.second);
        drawAll(scaler, s, t);
        for (int y = 0; y < t.height; ++y) {
            EXPECT_EQ(t.at(0, y), 0x000000u);  // far from the edge: unchanged
            EXPECT_EQ(t.at(t.width - 1, y), 0xFFFFFFu);
            // Across the edge the values never fall back and stay grey (equal channels).
            uint32_t previous = 0;
            for (int x = 0; x < t.width; ++x) {
                uint32_t v = t.at(x, y) & 0xFFFFFF;
                EXPECT_GE(v & 0xFF, previous & 0xFF);
                EXPECT_EQ(v, (v & 0xFF) * 0x010101u);
                previous = v;
            }
        }
        // 1.5x: the two target pixels whose centres fall between the halves are blended
        // by their distance (source 31.16 and 31.83), their neighbours are not.
        if (size.first == 96) {
            EXPECT_EQ(t.at(46, 10), 0x000000u);
            EXPECT_EQ(t.at(47, 10), 0x292929u);
            EXPECT_EQ(t.at(48, 10), 0xD4D4D4u);
            EXPECT_EQ(t.at(49, 10), 0xFFFFFFu);
        }
    }
}

// Drawing only the rows that changed leaves the same target as drawing everything.
void expectBandRedrawMatches(int targetW, int targetH) {
    Source before(64, 48), after(64, 48);
    before.noise(1);
    after.bytes = before.bytes;
    for (int y = 20; y <= 23; ++y)
        for (int x = 10; x < 30; ++x) after.set(x, y, static_cast<uint16_t>(x * 977 + y));
    FrameScaler scaler;
    ASSERT_TRUE(scaler.configure(16, 64, 48, targetW, targetH, ChannelPlaces{}));
    Target band(targetW, targetH), whole(targetW, targetH);
    drawAll(scaler, before, band);
    int top = 0, bottom = 0;
    scaler.draw(after.bytes.data(), after.pitch, 20, 23, band.bytes.data(), band.pitch, top,
                bottom);
    EXPECT_LT(top, bottom);
    EXPECT_GT(top, 0);
    EXPECT_LT(bottom, targetH);
    drawAll(scaler, after, whole);
    EXPECT_EQ(band.bytes, whole.bytes) << targetW << "x" << targetH;
}

TEST(FrameScaler, ABandOfChangedRowsRedrawsExactlyWhatTheyShow) {
    expectBandRedrawMatches(128, 96);  // repeated
    expectBandRedrawMatches(100, 75);  // filtered
    expectBandRedrawMatches(200, 150);
    expectBandRedrawMatches(48, 36);  // smaller than the picture
}

TEST(FrameScaler, BandsAtTheEdgesAndOutOfRange) {
    FrameScaler scaler;
    ASSERT_TRUE(scaler.configure(16, 64, 48, 100, 75, ChannelPlaces{}));
    int top = -1, bottom = -1;
    scaler.targetRows(0, 0, top, bottom);
    EXPECT_EQ(top, 0);
    EXPECT_GT(bottom, 0);
    scaler.targetRows(47, 47, top, bottom);
    EXPECT_LT(top, 75);
    EXPECT_EQ(bottom, 75);
    scaler.targetRows(-5, 100, top, bottom);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, 75);
    scaler.targetRows(30, 10, top, bottom);
    EXPECT_EQ(top, bottom);
}

TEST(FrameScaler, UnusableSourcesAreRefused) {
    FrameScaler scaler;
    EXPECT_FALSE(scaler.configure(8, 64, 48, 64, 48, ChannelPlaces{}));
    EXPECT_FALSE(scaler.configure(32, 64, 48, 64, 48, ChannelPlaces{}));
    EXPECT_FALSE(scaler.configure(16, 0, 48, 64, 48, ChannelPlaces{}));
    EXPECT_FALSE(scaler.configure(16, 64, 48, 64, 0, ChannelPlaces{}));
    EXPECT_FALSE(scaler.configured());
    int top = -1, bottom = -1;
    scaler.targetRows(0, 10, top, bottom);
    EXPECT_EQ(top, bottom);
}

TEST(FrameScaler, EveryKernelSetDrawsTheSamePixels) {
    const ScaleRowKernels* avx2 = scaleKernelsIn(ScaleKernelSet::Avx2);
    if (!avx2) GTEST_SKIP() << "no AVX2 on this processor";
    Source s(83, 29);
    s.noise(3);
    for (int type : {15, 16})
        for (auto size :
             {std::make_pair(83, 29), std::make_pair(166, 58), std::make_pair(120, 41)}) {
            FrameScaler a, b;
            ASSERT_TRUE(a.configure(type, 83, 29, size.first, size.second, ChannelPlaces{}));
            ASSERT_TRUE(b.configure(type, 83, 29, size.first, size.second, ChannelPlaces{}));
            a.useKernels(*scaleKernelsIn(ScaleKernelSet::Baseline));
            b.useKernels(*avx2);
            Target ta(size.first, size.second), tb(size.first, size.second);
            drawAll(a, s, ta);
            drawAll(b, s, tb);
            EXPECT_EQ(ta.bytes, tb.bytes) << "type " << type << " " << size.first;
        }
}

}  // namespace
