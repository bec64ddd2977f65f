#pragma once
// Row kernels for the pixel operations, one table per pixel type. A surface picks its
// table once when it is set up; the outer operations clip and then call a kernel per
// row, so the inner loops never test the format and never see an invalid rectangle.
#include <cstdint>

struct BlitKernels {
    // Copy skipping source pixels equal to the key (types 24/32 compare B,G,R only).
    void (*keyed)(uint8_t* dst, const uint8_t* src, int count, uint32_t key);
    // The blends and the fade; null for types that draw nothing (8 and 0).
    void (*half)(uint8_t* dst, const uint8_t* src, int count);
    void (*keyedHalf)(uint8_t* dst, const uint8_t* src, int count, uint32_t key);
    // level 0..256 (callers clamp).
    void (*alpha)(uint8_t* dst, const uint8_t* src, int count, int level);
    void (*keyedAlpha)(uint8_t* dst, const uint8_t* src, int count, int level, uint32_t key);
    void (*faded)(uint8_t* dst, const uint8_t* src, int count, int level);
    void (*fill)(uint8_t* dst, int count, uint32_t pixel);
    uint32_t (*get)(const uint8_t* pixel);
    void (*put)(uint8_t* pixel, uint32_t value);
    // pixel becomes p + ((c - p) * level >> 8) per channel; null where there are no
    // channels.
    void (*blend)(uint8_t* pixel, uint32_t colour, int level);
};

// Blend levels are 16-bit values; anything above 256 leaves the destination alone.
inline int clampLevel16(int level) {
    const int l = static_cast<uint16_t>(level);
    return l < 256 ? l : 256;
}

// The instruction sets the kernels are built for. Surfaces use the best one the
// processor has; the others are there to be checked against it.
enum class KernelSet { Baseline, Avx2 };

// The table of one set; null when the processor lacks the set or no table fits.
const BlitKernels* kernelsIn(KernelSet set, int type, int bytesPerPixel);

// The table for a pixel type (8, 15, 16, 24, 32) or, for type 0, the plain table of
// its pixel size in bytes (1 to 4). Null when no table fits.
const BlitKernels* kernelsFor(int type, int bytesPerPixel);
