// The row kernels compiled for AVX2; chosen at set-up on processors that have it.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/blit_kernels.h"

#if defined(__x86_64__) || defined(__i386__)

#include "platform/avx2_target_begin.inc"

namespace avx2 {
#define VORLEN_VECTOR_BYTES 32
#include "platform/blit_rows.inc"
#undef VORLEN_VECTOR_BYTES
}  // namespace avx2

#include "platform/avx2_target_end.inc"

const BlitKernels* avx2TableFor(int type, int bytesPerPixel) {
    return avx2::tableFor(type, bytesPerPixel);
}

#endif
