// The grey kernels compiled for AVX2; chosen once on processors that have it.
#include <cstdint>
#include <cstring>

#include "platform/image/grey_kernels.h"

#if defined(__x86_64__) || defined(__i386__)

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace avx2 {
#define VORLEN_VECTOR_BYTES 32
#include "platform/image/grey_rows.inc"
#undef VORLEN_VECTOR_BYTES
}  // namespace avx2

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

const GreyKernels* avx2GreyTable() {
    return &avx2::kGreyTable;
}

#endif
