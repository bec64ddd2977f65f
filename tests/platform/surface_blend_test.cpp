// The copy, blend and fade kernels against plain per-pixel reference rules, over every
// colour type, a range of levels and clip cases, on seeded noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "platform/surface.h"

namespace {

enum class Op { Draw, Keyed, Half, KeyedHalf, Alpha, KeyedAlpha, Faded };

// Channels as (mask, shift) pairs in pixel-value terms.
struct Channels {
    uint32_t mask[3];
    int shift[3];
};

Channels channelsOf(int type) {
    switch (type) {
        case 15:
            return {{31, 31, 31}, {10, 5, 0}};
        case 16:
            return {{31, 63, 31}, {11, 5, 0}};
        default:
            return {{255, 255, 255}, {16, 8, 0}};
    }
}

int floorDiv256(int v) {
    return v >= 0 ? v / 256 : -((-v + 255) / 256);
}

uint32_t readPixel(const Surface& s, int x, int y) {
    uint32_t v = 0;
    std::memcpy(&v, s.pixels() + y * s.pitch() + x * s.format().bytesPerPixel,
                s.format().bytesPerPixel);
    return v;
}

// The documented per-pixel result of each operation.
uint32_t reference(Op op, int type, uint32_t s, uint32_t d, int level, uint32_t key) {
    const uint32_t colourBits = type == 32 ? 0xFFFFFF : (type == 24 ? 0xFFFFFF : 0xFFFF);
    const uint32_t keep = type == 32 ? (d & 0xFF000000) : 0;  // fourth byte never written
    const bool isKey = (s & colourBits) == (key & colourBits);
    const bool keyed = op == Op::Keyed || op == Op::KeyedHalf || op == Op::KeyedAlpha;
    if (keyed && isKey) return d;
    const Channels c = channelsOf(type);
    int l = std::min<int>(static_cast<uint16_t>(level), 256);
    switch (op) {
        case Op::Draw:
        case Op::Keyed:
            return s;
        case Op::Half:
        case Op::KeyedHalf: {
            uint32_t m = type == 15 ? 0x3DEF : type == 16 ? 0x7BEF : 0x7F7F7F;
            return (((s >> 1) & m) + ((d >> 1) & m)) | keep;
        }
        case Op::Alpha:
        case Op::KeyedAlpha: {
            uint32_t out = keep;
            for (int i = 0; i < 3; ++i) {
                int sc = (s >> c.shift[i]) & c.mask[i], dc = (d >> c.shift[i]) & c.mask[i];
                out |= static_cast<uint32_t>(sc + floorDiv256((dc - sc) * l)) << c.shift[i];
            }
            return out;
        }
        case Op::Faded: {
            // Levels outside 0..256 count as the nearer end.
            const uint32_t fade = static_cast<uint32_t>(std::clamp(level, 0, 256));
            uint32_t out = keep;
            for (int i = 0; i < 3; ++i) {
                uint32_t sc = (s >> c.shift[i]) & c.mask[i];
                out |= ((sc * fade) >> 8) << c.shift[i];
            }
            return out;
        }
    }
    return 0;
}

int run(Op op, Surface& src, Surface& dst, int x, int y, const Rect* r, int level) {
    switch (op) {
        case Op::Draw:
            return src.draw(dst, x, y, r);
        case Op::Keyed:
            return src.drawKeyed(dst, x, y, r);
        case Op::Half:
            return src.drawHalf(dst, x, y, r);
        case Op::KeyedHalf:
            return src.drawKeyedHalf(dst, x, y, r);
        case Op::Alpha:
            return src.drawAlpha(dst, x, y, r, level);
        case Op::KeyedAlpha:
            return src.drawKeyedAlpha(dst, x, y, r, level);
        case Op::Faded:
            return src.drawFaded(dst, x, y, r, level);
    }
    return -1;
}

void noise(Surface& s, std::mt19937& rng) {
    for (int y = 0; y < s.height(); ++y)
        for (int i = 0; i < s.width() * s.format().bytesPerPixel; ++i)
            s.pixels()[y * s.pitch() + i] = static_cast<uint8_t>(rng());
}

struct ClipCase {
    const char* name;
    int x, y;
    bool hasSrc;
    Rect src, srcClip, dstClip;
};

const ClipCase kClipCases[] = {
    {"whole", 0, 0, false, {}, {0, 0, 45, 9}, {0, 0, 53, 12}},
    {"odd offset", 3, 1, true, {1, 2, 40, 8}, {0, 0, 45, 9}, {0, 0, 53, 12}},
    {"left and top edges", -5, -3, false, {}, {0, 0, 45, 9}, {0, 0, 53, 12}},
    {"right and bottom edges", 30, 7, false, {}, {0, 0, 45, 9}, {0, 0, 53, 12}},
    {"destination clip", 0, 0, false, {}, {0, 0, 45, 9}, {7, 2, 41, 10}},
    {"source clip", 2, 2, true, {-4, -4, 60, 20}, {5, 1, 38, 7}, {1, 1, 50, 11}},
    {"outside", 60, 0, false, {}, {0, 0, 45, 9}, {0, 0, 53, 12}},
};

void checkAgainstReference(Op op, int type, int level, const ClipCase& cc, uint32_t seed) {
    std::mt19937 rng(seed);
    Surface src, dst;
    ASSERT_EQ(src.create(PixelFormat::ofType(type), 45, 9), 0);
    ASSERT_EQ(dst.create(PixelFormat::ofType(type), 53, 12), 0);
    noise(src, rng);
    noise(dst, rng);
    // About 30 % key pixels, some differing from the key only in the fourth byte.
    const uint32_t key =
        readPixel(src, 4, 4) & (type == 32 ? 0xFFFFFFFF : (1u << src.format().bitsPerPixel) - 1);
    src.setColourKey(key);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (rng() % 10 < 3) {
                uint32_t v = key | (type == 32 ? (rng() & 0xFF000000) : 0);
                std::memcpy(src.pixels() + y * src.pitch() + x * src.format().bytesPerPixel, &v,
                            src.format().bytesPerPixel);
            }
    src.setClipRect(cc.srcClip);
    dst.setClipRect(cc.dstClip);

    Surface before;
    ASSERT_EQ(before.create(PixelFormat::ofType(type), 53, 12), 0);
    std::memcpy(before.pixels(), dst.pixels(), dst.pitch() * dst.height());

    const Rect* r = cc.hasSrc ? &cc.src : nullptr;
    EXPECT_EQ(run(op, src, dst, cc.x, cc.y, r, level), 0);

    // Where each destination pixel's source lies: the source rectangle cut to the
    // source clip, placed at (x, y), then cut to the destination clip.
    Rect s = r ? *r : Rect{0, 0, src.width(), src.height()};
    s.left = std::max(s.left, cc.srcClip.left);
    s.top = std::max(s.top, cc.srcClip.top);
    s.right = std::min(s.right, cc.srcClip.right);
    s.bottom = std::min(s.bottom, cc.srcClip.bottom);
    for (int y = 0; y < dst.height(); ++y)
        for (int x = 0; x < dst.width(); ++x) {
            const uint32_t d = readPixel(before, x, y);
            uint32_t expected = d;
            const int sx = s.left + x - cc.x, sy = s.top + y - cc.y;
            const bool inside = x >= cc.dstClip.left && x < cc.dstClip.right &&
                                y >= cc.dstClip.top && y < cc.dstClip.bottom && sx >= s.left &&
                                sx < s.right && sy >= s.top && sy < s.bottom;
            if (inside) expected = reference(op, type, readPixel(src, sx, sy), d, level, key);
            ASSERT_EQ(readPixel(dst, x, y), expected)
                << "type " << type << " level " << level << " clip " << cc.name << " at " << x
                << "," << y;
        }
}

TEST(SurfaceKernels, MatchTheReferenceRulesForEveryTypeLevelAndClip) {
    const int types[] = {15, 16, 24, 32};
    // Each end of the range and one step past it; the blends read the level as 16 bits
    // (65536 is 0, -1 is 65535), the fade clamps it to 0..256.
    const int levels[] = {0, 1, 25, 128, 255, 256, 257, 300, 65535, 65536, 65536 + 128, -1, -256};
    const Op ops[] = {Op::Draw,  Op::Keyed,      Op::Half, Op::KeyedHalf,
                      Op::Alpha, Op::KeyedAlpha, Op::Faded};
    uint32_t seed = 1;
    for (int type : types)
        for (Op op : ops)
            for (const ClipCase& cc : kClipCases)
                for (int level : levels) {
                    checkAgainstReference(op, type, level, cc, seed++);
                    if (::testing::Test::HasFatalFailure()) return;
                }
}

TEST(SurfaceKernels, RandomRectanglesPositionsAndClips) {
    std::mt19937 rng(99);
    auto any = [&rng](int lo, int hi) {
        return lo + static_cast<int>(rng() % static_cast<uint32_t>(hi - lo + 1));
    };
    const Op ops[] = {Op::Draw,  Op::Keyed,      Op::Half, Op::KeyedHalf,
                      Op::Alpha, Op::KeyedAlpha, Op::Faded};
    for (int i = 0; i < 300; ++i) {
        ClipCase cc{"random", any(-60, 60), any(-15, 15), rng() % 2 == 0, {}, {}, {}};
        cc.src = Rect{any(-10, 50), any(-5, 12), any(-10, 60), any(-5, 15)};
        cc.srcClip = Rect{any(0, 45), any(0, 9), any(0, 45), any(0, 9)};
        cc.dstClip = Rect{any(0, 53), any(0, 12), any(0, 53), any(0, 12)};
        // Clip rectangles are kept in order by setClipRect; the reference needs them so.
        if (cc.srcClip.right < cc.srcClip.left) std::swap(cc.srcClip.left, cc.srcClip.right);
        if (cc.srcClip.bottom < cc.srcClip.top) std::swap(cc.srcClip.top, cc.srcClip.bottom);
        if (cc.dstClip.right < cc.dstClip.left) std::swap(cc.dstClip.left, cc.dstClip.right);
        if (cc.dstClip.bottom < cc.dstClip.top) std::swap(cc.dstClip.top, cc.dstClip.bottom);
        const int types[] = {15, 16, 24, 32};
        checkAgainstReference(ops[i % 7], types[(i / 7) % 4], any(0, 256), cc, 1000 + i);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(SurfaceKernels, WholeUnpaddedSurfacesBlendAsOneRun) {
    for (int type : {16, 32}) {
        std::mt19937 rng(7);
        Surface src, dst, before;
        for (Surface* s : {&src, &dst, &before})
            ASSERT_EQ(s->create(PixelFormat::ofType(type), 48, 5), 0);
        noise(src, rng);
        noise(dst, rng);
        std::memcpy(before.pixels(), dst.pixels(), dst.pitch() * dst.height());
        src.drawAlpha(dst, 0, 0, nullptr, 77);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 48; ++x)
                ASSERT_EQ(readPixel(dst, x, y), reference(Op::Alpha, type, readPixel(src, x, y),
                                                          readPixel(before, x, y), 77, 0));
    }
}

TEST(SurfaceKernels, KnownBlendResults) {
    Surface white16, black16;
    white16.create(PixelFormat::ofType(16), 3, 1);
    black16.create(PixelFormat::ofType(16), 3, 1);
    white16.fill(0xFFFF);
    white16.drawHalf(black16, 0, 0);
    EXPECT_EQ(black16.getPixel(1, 0), 0x7BEFu);

    Surface white15, black15;
    white15.create(PixelFormat::ofType(15), 3, 1);
    black15.create(PixelFormat::ofType(15), 3, 1);
    white15.fill(0x7FFF);
    white15.drawHalf(black15, 0, 0);
    EXPECT_EQ(black15.getPixel(2, 0), 0x3DEFu);

    // Level 128 halves each channel, rounding down: 5-6-5 (31, 63, 31) -> (15, 31, 15).
    black16.fill(0x1234);
    white16.drawFaded(black16, 0, 0, nullptr, 128);
    EXPECT_EQ(black16.getPixel(0, 0), (15u << 11) | (31u << 5) | 15u);

    // Level 300 counts as 256 (destination kept), 0 is a plain copy.
    black16.fill(0x1234);
    white16.drawAlpha(black16, 0, 0, nullptr, 300);
    EXPECT_EQ(black16.getPixel(0, 0), 0x1234u);
    white16.drawAlpha(black16, 0, 0, nullptr, 0);
    EXPECT_EQ(black16.getPixel(0, 0), 0xFFFFu);
}

TEST(SurfaceKernels, OutOfRangeFadeLevelsStayWithinTheChannels) {
    Surface src, dst;
    src.create(PixelFormat::ofType(16), 9, 1);
    dst.create(PixelFormat::ofType(16), 9, 1);
    src.fill(0x8410);  // (16, 32, 16)
    src.drawFaded(dst, 0, 0, nullptr, 1000);
    EXPECT_EQ(dst.getPixel(8, 0), 0x8410u);  // as level 256
    src.drawFaded(dst, 0, 0, nullptr, -5);
    EXPECT_EQ(dst.getPixel(8, 0), 0u);  // as level 0
}

TEST(SurfaceKernels, PaletteAndUntypedSurfacesCopyButDoNotBlend) {
    for (PixelFormat format :
         {PixelFormat::ofType(8), PixelFormat::fromMasks(16, 0, 0, 0, false)}) {
        Surface src, dst;
        ASSERT_EQ(src.create(format, 4, 2), 0);
        ASSERT_EQ(dst.create(format, 4, 2), 0);
        src.fill(7);
        dst.fill(3);
        EXPECT_EQ(src.drawHalf(dst, 0, 0), 0);
        EXPECT_EQ(src.drawAlpha(dst, 0, 0, nullptr, 100), 0);
        EXPECT_EQ(src.drawFaded(dst, 0, 0, nullptr, 100), 0);
        EXPECT_EQ(dst.getPixel(0, 0), 3u);
        src.putPixel(1, 0, 9);
        src.setColourKey(9);
        EXPECT_EQ(src.drawKeyed(dst, 0, 0), 0);
        EXPECT_EQ(dst.getPixel(0, 0), 7u);
        EXPECT_EQ(dst.getPixel(1, 0), 3u);
    }
}

TEST(SurfaceKernels, PutBlendedPixelFollowsTheBlendRule) {
    Surface s;
    s.create(PixelFormat::ofType(16), 2, 2);
    s.putPixel(0, 0, (10u << 11) | (20u << 5) | 30u);
    s.putBlendedPixel(0, 0, (20u << 11) | (10u << 5) | 30u, 128);
    // p + ((c - p) * 128 >> 8): 10 -> 15, 20 -> 15, 30 -> 30.
    EXPECT_EQ(s.getPixel(0, 0), (15u << 11) | (15u << 5) | 30u);
    s.putBlendedPixel(0, 0, 0xFFFF, 5000);  // more than 256 counts as 256
    EXPECT_EQ(s.getPixel(0, 0), 0xFFFFu);
    // The level is read as 16 bits, like the blends'.
    struct LevelCase {
        int level;
        uint32_t expected;  // blending white over (10, 20, 30) in 5-6-5
    };
    const uint32_t start = (10u << 11) | (20u << 5) | 30u;
    for (const LevelCase& c :
         {LevelCase{0, start}, LevelCase{256, 0xFFFF}, LevelCase{257, 0xFFFF},
          LevelCase{65535, 0xFFFF}, LevelCase{-1, 0xFFFF}, LevelCase{65536, start},
          LevelCase{65536 + 128, (20u << 11) | (41u << 5) | 30u}}) {
        s.putPixel(1, 1, start);
        s.putBlendedPixel(1, 1, 0xFFFF, c.level);
        EXPECT_EQ(s.getPixel(1, 1), c.expected) << c.level;
    }
    s.putBlendedPixel(5, 5, 0, 0);  // outside: ignored
}

}  // namespace
