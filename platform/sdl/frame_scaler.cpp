#include "platform/sdl/frame_scaler.h"

#include <algorithm>
#include <cstring>

// The baseline instruction set (SSE2 on x86-64): the compiler splits each vector into the
// halves it can handle. The vectors never cross a call another build could see, so the
// note that their passing convention differs without AVX does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"
namespace scale_baseline {
#define VORLEN_VECTOR_BYTES 16
#include "platform/sdl/scale_rows.inc"
#undef VORLEN_VECTOR_BYTES
}  // namespace scale_baseline

#if defined(__x86_64__) || defined(__i386__)
const ScaleRowKernels* avx2ScaleKernels();  // frame_scaler_avx2.cpp
#define VORLEN_HAVE_AVX2_SCALING 1
#endif

const ScaleRowKernels* scaleKernelsIn(ScaleKernelSet set) {
    switch (set) {
        case ScaleKernelSet::Baseline:
            return &scale_baseline::kScaleRowKernels;
        case ScaleKernelSet::Avx2:
#ifdef VORLEN_HAVE_AVX2_SCALING
            if (__builtin_cpu_supports("avx2")) return avx2ScaleKernels();
#endif
            return nullptr;
    }
    return nullptr;
}

namespace {

const ScaleRowKernels& bestKernels() {
    static const ScaleRowKernels* best = [] {
        const ScaleRowKernels* k = scaleKernelsIn(ScaleKernelSet::Avx2);
        return k ? k : scaleKernelsIn(ScaleKernelSet::Baseline);
    }();
    return *best;
}

// For every target position along one axis, the source pixel pair it samples and the
// weight of the second: target centres mapped onto source centres, in 1/256 steps.
void samplePositions(int sourceSize, int targetSize, std::vector<int>& index,
                     std::vector<uint16_t>& weight) {
    index.resize(targetSize);
    weight.resize(targetSize);
    for (int t = 0; t < targetSize; ++t) {
        int64_t at = (2 * int64_t{t} + 1) * sourceSize * 256 / (2 * int64_t{targetSize}) - 128;
        at = std::clamp<int64_t>(at, 0, (int64_t{sourceSize} - 1) * 256);
        index[t] = static_cast<int>(at >> 8);
        weight[t] = static_cast<uint16_t>(at & 255);
    }
}

// A row of source pixels repeated `factor` times each.
void repeatPixels(const uint32_t* in, uint32_t* out, int n, int factor) {
    switch (factor) {
        case 1:
            std::memcpy(out, in, static_cast<size_t>(n) * 4);
            return;
        case 2:
            for (int i = 0; i < n; ++i) out[2 * i] = out[2 * i + 1] = in[i];
            return;
        case 3:
            for (int i = 0; i < n; ++i) out[3 * i] = out[3 * i + 1] = out[3 * i + 2] = in[i];
            return;
        default:
            for (int i = 0; i < n; ++i)
                std::fill_n(out + static_cast<size_t>(i) * factor, factor, in[i]);
    }
}

// The same blend as the row kernels, for one pixel pair.
inline uint32_t blendPixel(uint32_t a, uint32_t b, uint32_t w) {
    const uint32_t keep = 256 - w;
    const uint32_t low = ((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * w) >> 8;
    const uint32_t high = ((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * w;
    return (low & 0x00FF00FFu) | (high & 0xFF00FF00u);
}

}  // namespace

FrameScaler::FrameScaler() : kernels_(&bestKernels()) {}

bool FrameScaler::configure(int sourceType, int sourceWidth, int sourceHeight, int targetWidth,
                            int targetHeight, const ChannelPlaces& places) {
    sourceWidth_ = 0;
    if ((sourceType != 15 && sourceType != 16) || sourceWidth <= 0 || sourceHeight <= 0 ||
        targetWidth <= 0 || targetHeight <= 0) {
        return false;
    }
    sourceType_ = sourceType;
    sourceWidth_ = sourceWidth;
    sourceHeight_ = sourceHeight;
    targetWidth_ = targetWidth;
    targetHeight_ = targetHeight;
    places_ = places;
    factor_ = 0;
    if (targetWidth % sourceWidth == 0 && targetHeight % sourceHeight == 0 &&
        targetWidth / sourceWidth == targetHeight / sourceHeight) {
        factor_ = targetWidth / sourceWidth;
    }
    expanded_.assign(static_cast<size_t>(sourceWidth) + 1, 0);
    if (factor_ == 0) {
        samplePositions(sourceWidth, targetWidth, columnIndex_, columnWeight_);
        samplePositions(sourceHeight, targetHeight, rowIndex_, rowWeight_);
        for (auto& row : stretched_) row.assign(targetWidth, 0);
    }
    return true;
}

void FrameScaler::targetRows(int first, int last, int& top, int& bottom) const {
    top = bottom = 0;
    if (!configured()) return;
    first = std::max(first, 0);
    last = std::min(last, sourceHeight_ - 1);
    if (first > last) return;
    if (factor_ > 0) {
        top = first * factor_;
        bottom = (last + 1) * factor_;
        return;
    }
    // A target row shows its source row and the one below it.
    auto firstShowing = std::lower_bound(rowIndex_.begin(), rowIndex_.end(), first - 1);
    auto pastLast = std::upper_bound(rowIndex_.begin(), rowIndex_.end(), last);
    top = static_cast<int>(firstShowing - rowIndex_.begin());
    bottom = static_cast<int>(pastLast - rowIndex_.begin());
    // The row just above `first` matters only through its lower neighbour being `first`.
    while (top < bottom && rowIndex_[top] == first - 1 && rowWeight_[top] == 0) ++top;
}

void FrameScaler::expand(const uint8_t* sourceRow, uint32_t* out) const {
    if (sourceType_ == 16)
        kernels_->expand565(sourceRow, out, sourceWidth_, places_);
    else
        kernels_->expand555(sourceRow, out, sourceWidth_, places_);
}

void FrameScaler::draw(const uint8_t* source, int sourcePitch, int first, int last, uint8_t* target,
                       int targetPitch, int& top, int& bottom) {
    targetRows(first, last, top, bottom);
    if (top >= bottom) return;
    if (factor_ > 0)
        drawRepeated(source, sourcePitch, std::max(first, 0), std::min(last, sourceHeight_ - 1),
                     target, targetPitch);
    else
        drawFiltered(source, sourcePitch, top, bottom, target, targetPitch);
}

void FrameScaler::drawRepeated(const uint8_t* source, int sourcePitch, int first, int last,
                               uint8_t* target, int targetPitch) {
    const size_t rowBytes = static_cast<size_t>(targetWidth_) * 4;
    for (int y = first; y <= last; ++y) {
        const uint8_t* in = source + static_cast<size_t>(y) * sourcePitch;
        uint8_t* out = target + static_cast<size_t>(y) * factor_ * targetPitch;
        auto* outPixels = reinterpret_cast<uint32_t*>(out);
        if (factor_ == 1) {
            expand(in, outPixels);
            continue;
        }
        expand(in, expanded_.data());
        repeatPixels(expanded_.data(), outPixels, sourceWidth_, factor_);
        for (int copy = 1; copy < factor_; ++copy)
            std::memcpy(out + static_cast<size_t>(copy) * targetPitch, out, rowBytes);
    }
}

const uint32_t* FrameScaler::stretchedRow(const uint8_t* source, int sourcePitch, int row) {
    for (int i = 0; i < 2; ++i)
        if (stretchedSource_[i] == row) return stretched_[i].data();
    // Replace the cached row that is not the other half of the pair being drawn: rows
    // are asked for in increasing order, so the older one is the lower number.
    const int slot = stretchedSource_[0] < stretchedSource_[1] ? 0 : 1;
    expand(source + static_cast<size_t>(row) * sourcePitch, expanded_.data());
    expanded_[sourceWidth_] = expanded_[sourceWidth_ - 1];
    uint32_t* out = stretched_[slot].data();
    const uint32_t* in = expanded_.data();
    for (int x = 0; x < targetWidth_; ++x) {
        const int i = columnIndex_[x];
        out[x] = blendPixel(in[i], in[i + 1], columnWeight_[x]);
    }
    stretchedSource_[slot] = row;
    return out;
}

void FrameScaler::drawFiltered(const uint8_t* source, int sourcePitch, int top, int bottom,
                               uint8_t* target, int targetPitch) {
    stretchedSource_[0] = stretchedSource_[1] = -1;  // the source changed since last time
    for (int y = top; y < bottom; ++y) {
        const int row = rowIndex_[y];
        const int below = std::min(row + 1, sourceHeight_ - 1);
        auto* out = reinterpret_cast<uint32_t*>(target + static_cast<size_t>(y) * targetPitch);
        const uint32_t* upper = stretchedRow(source, sourcePitch, row);
        if (rowWeight_[y] == 0 || below == row) {
            std::memcpy(out, upper, static_cast<size_t>(targetWidth_) * 4);
            continue;
        }
        const uint32_t* lower = stretchedRow(source, sourcePitch, below);
        kernels_->blendRows(upper, lower, out, targetWidth_, rowWeight_[y]);
    }
}
