// The grey kernels compiled for AVX2; chosen once on processors that have it.
#include <cstdint>
#include <cstring>

#include "platform/image/grey_kernels.h"

#if defined(__x86_64__) || defined(__i386__)

#include "platform/avx2_target_begin.inc"

namespace avx2 {
#define VORLEN_VECTOR_BYTES 32
#include "platform/image/grey_rows.inc"
#undef VORLEN_VECTOR_BYTES
}  // namespace avx2

#include "platform/avx2_target_end.inc"

const GreyKernels* avx2GreyTable() {
    return &avx2::kGreyTable;
}

#endif
