#pragma once
// The back buffer's 16-bit pixels drawn into a window's 32-bit pixels at any size:
// a whole multiple of the picture by repeating pixels (every pixel stays sharp), any other
// size with a bilinear filter. Either can redraw only the band of rows that changed.
// No SDL here: the display hands in the pixel memory.
#include <cstdint>
#include <vector>

// Where the 8-bit channels lie in a 32-bit window pixel (bit shifts), and bits always set
// (an opaque alpha channel, when the pixel has one).
struct ChannelPlaces {
    int red = 16, green = 8, blue = 0;
    uint32_t opaque = 0;
};

// Row kernels, one set per instruction set.
struct ScaleRowKernels {
    void (*expand565)(const uint8_t* src, uint32_t* dst, int n, const ChannelPlaces& places);
    void (*expand555)(const uint8_t* src, uint32_t* dst, int n, const ChannelPlaces& places);
    // dst = a * (256 - w) / 256 + b * w / 256, every byte; w in 0..256.
    void (*blendRows)(const uint32_t* a, const uint32_t* b, uint32_t* dst, int n, uint32_t w);
};
enum class ScaleKernelSet { Baseline, Avx2 };
// Null when the processor lacks the set.
const ScaleRowKernels* scaleKernelsIn(ScaleKernelSet set);

class FrameScaler {
public:
    FrameScaler();
    // A source of `sourceType` (15 or 16) pixels drawn into a target rectangle; false
    // (and nothing drawn) for sizes or types it cannot take.
    bool configure(int sourceType, int sourceWidth, int sourceHeight, int targetWidth,
                   int targetHeight, const ChannelPlaces& places);
    bool configured() const { return sourceWidth_ > 0; }
    // True when the target is a whole multiple of the source (pixels repeated).
    bool repeatsPixels() const { return factor_ > 0; }

    // Draws what source rows first..last (inclusive) show into the target, whose top-left
    // pixel is at `target`, and reports the target rows written as [top, bottom).
    void draw(const uint8_t* source, int sourcePitch, int first, int last, uint8_t* target,
              int targetPitch, int& top, int& bottom);
    // The target rows that show source rows first..last: [top, bottom).
    void targetRows(int first, int last, int& top, int& bottom) const;

    // Use another kernel set (the tests compare them).
    void useKernels(const ScaleRowKernels& kernels) { kernels_ = &kernels; }

private:
    void expand(const uint8_t* sourceRow, uint32_t* out) const;
    void drawRepeated(const uint8_t* source, int sourcePitch, int first, int last, uint8_t* target,
                      int targetPitch);
    void drawFiltered(const uint8_t* source, int sourcePitch, int top, int bottom, uint8_t* target,
                      int targetPitch);
    // The source row, stretched across the target width, in one of the two row caches.
    const uint32_t* stretchedRow(const uint8_t* source, int sourcePitch, int row);

    const ScaleRowKernels* kernels_;
    int sourceType_ = 16, sourceWidth_ = 0, sourceHeight_ = 0;
    int targetWidth_ = 0, targetHeight_ = 0;
    int factor_ = 0;  // the whole multiple, 0 when filtering
    ChannelPlaces places_;
    std::vector<uint32_t> expanded_;  // one source row, its last pixel repeated once more
    // Filtering: for each target column and row, the first source pixel of the pair and
    // the weight (0..255) of the second.
    std::vector<int> columnIndex_, rowIndex_;
    std::vector<uint16_t> columnWeight_, rowWeight_;
    std::vector<uint32_t> stretched_[2];
    int stretchedSource_[2] = {-1, -1};
};
