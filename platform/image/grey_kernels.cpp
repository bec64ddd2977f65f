#include "platform/image/grey_kernels.h"

#include <cstring>

// The vectors never cross a call boundary another build could see (see blit_kernels.cpp).
#pragma GCC diagnostic ignored "-Wpsabi"
namespace baseline {
#define VORLEN_VECTOR_BYTES 16
#include "platform/image/grey_rows.inc"
#undef VORLEN_VECTOR_BYTES
}  // namespace baseline

#if defined(__x86_64__) || defined(__i386__)
const GreyKernels* avx2GreyTable();  // grey_kernels_avx2.cpp
#define VORLEN_HAVE_AVX2_GREY 1
#endif

const GreyKernels* greyKernelsIn(KernelSet set) {
    switch (set) {
        case KernelSet::Baseline:
            return &baseline::kGreyTable;
        case KernelSet::Avx2:
#ifdef VORLEN_HAVE_AVX2_GREY
            if (__builtin_cpu_supports("avx2")) return avx2GreyTable();
#endif
            return nullptr;
    }
    return nullptr;
}

const GreyKernels& greyKernels() {
    static const GreyKernels* best = [] {
        const GreyKernels* avx2 = greyKernelsIn(KernelSet::Avx2);
        return avx2 ? avx2 : greyKernelsIn(KernelSet::Baseline);
    }();
    return *best;
}
