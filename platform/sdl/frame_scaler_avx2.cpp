// The frame scaler's row kernels compiled for AVX2; chosen at set-up on processors that
// have it.
#include <cstdint>
#include <cstring>

#include "platform/sdl/frame_scaler.h"

#if defined(__x86_64__) || defined(__i386__)

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace scale_avx2 {
#define VORLEN_VECTOR_BYTES 32
#include "platform/sdl/scale_rows.inc"
#undef VORLEN_VECTOR_BYTES
}  // namespace scale_avx2

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

const ScaleRowKernels* avx2ScaleKernels() {
    return &scale_avx2::kScaleRowKernels;
}

#endif
