#include "platform/blit_kernels.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// The baseline instruction set (SSE2 on x86-64): the compiler splits each vector into
// the halves it can handle.
// The vectors never cross a call boundary that another build could see, so the note that
// their passing convention differs without AVX does not apply (it is reported when the
// file is compiled to the end, hence no pop).
#pragma GCC diagnostic ignored "-Wpsabi"
namespace baseline {
#define VORLEN_VECTOR_BYTES 16
#include "platform/blit_rows.inc"
#undef VORLEN_VECTOR_BYTES
}  // namespace baseline

#if defined(__x86_64__) || defined(__i386__)
const BlitKernels* avx2TableFor(int type, int bytesPerPixel);  // blit_kernels_avx2.cpp
#define VORLEN_HAVE_AVX2_KERNELS 1
#endif

const BlitKernels* kernelsIn(KernelSet set, int type, int bytesPerPixel) {
    switch (set) {
        case KernelSet::Baseline:
            return baseline::tableFor(type, bytesPerPixel);
        case KernelSet::Avx2:
#ifdef VORLEN_HAVE_AVX2_KERNELS
            if (__builtin_cpu_supports("avx2")) return avx2TableFor(type, bytesPerPixel);
#endif
            return nullptr;
    }
    return nullptr;
}

const BlitKernels* kernelsFor(int type, int bytesPerPixel) {
    static const bool avx2 = kernelsIn(KernelSet::Avx2, 16, 2) != nullptr;
    return kernelsIn(avx2 ? KernelSet::Avx2 : KernelSet::Baseline, type, bytesPerPixel);
}
