// The frame scaler's row kernels compiled for AVX2; chosen at set-up on processors that
// have it.
#include <cstdint>
#include <cstring>

#include "platform/sdl/frame_scaler.h"

#if defined(__x86_64__) || defined(__i386__)

#include "platform/avx2_target_begin.inc"

namespace scale_avx2 {
#define VORLEN_VECTOR_BYTES 32
#include "platform/sdl/scale_rows.inc"
#undef VORLEN_VECTOR_BYTES
}  // namespace scale_avx2

#include "platform/avx2_target_end.inc"

const ScaleRowKernels* avx2ScaleKernels() {
    return &scale_avx2::kScaleRowKernels;
}

#endif
