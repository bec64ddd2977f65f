// The grey kernels of every instruction set against a per-pixel reference: every
// 16-bit value, and byte rows of every length around the vector widths.
#include "platform/image/grey_kernels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

uint8_t luma(unsigned r, unsigned g, unsigned b) {
    return static_cast<uint8_t>((r * 77 + g * 150 + b * 29) >> 8);
}

// A channel of `bits` widened to 8 by repeating its high bits, as pictures are read.
unsigned widen(unsigned v, int bits) {
    return (v << (8 - bits) | v >> (2 * bits - 8)) & 0xFF;
}

uint16_t reference16(uint16_t v, int greenBits) {
    const int redShift = 5 + greenBits;
    const unsigned y = luma(widen(v >> redShift & 31, 5),
                            widen(v >> 5 & ((1u << greenBits) - 1), greenBits), widen(v & 31, 5));
    return static_cast<uint16_t>((y >> 3) << redShift | (y >> (8 - greenBits)) << 5 | y >> 3);
}

TEST(GreyKernels, EverySetMatchesThePerPixelRule) {
    for (KernelSet set : {KernelSet::Baseline, KernelSet::Avx2}) {
        const GreyKernels* k = greyKernelsIn(set);
        if (!k) continue;  // the processor lacks the set
        const bool avx2 = set == KernelSet::Avx2;
        for (int greenBits : {6, 5}) {
            std::vector<uint16_t> all(65536), want(65536);
            for (size_t i = 0; i < all.size(); ++i) {
                all[i] = static_cast<uint16_t>(i);
                want[i] = reference16(all[i], greenBits);
            }
            (greenBits == 6 ? k->rgb565 : k->rgb555)(reinterpret_cast<uint8_t*>(all.data()), 65536);
            ASSERT_EQ(all, want) << "green bits " << greenBits << " avx2 " << avx2;
        }
        std::mt19937 rng(7);
        for (int bytes : {2, 3, 4})
            for (int n = 0; n <= 40; ++n) {
                std::vector<uint8_t> row(static_cast<size_t>(n * bytes + 2)), want;
                for (auto& b : row) b = static_cast<uint8_t>(rng());
                want = row;
                uint8_t* p = want.data() + 1;  // unaligned on purpose; the guard bytes stay
                for (int i = 0; i < n; ++i, p += bytes) {
                    if (bytes == 2) {
                        uint16_t v;
                        std::memcpy(&v, p, 2);
                        v = reference16(v, 6);
                        std::memcpy(p, &v, 2);
                    } else {
                        p[0] = p[1] = p[2] = luma(p[2], p[1], p[0]);
                    }
                }
                (bytes == 2 ? k->rgb565 : bytes == 3 ? k->bgr24 : k->bgrx32)(row.data() + 1, n);
                ASSERT_EQ(row, want) << bytes << " bytes, " << n << " pixels, avx2 " << avx2;
            }
    }
    EXPECT_EQ(&greyKernels(), greyKernelsIn(KernelSet::Avx2) ? greyKernelsIn(KernelSet::Avx2)
                                                             : greyKernelsIn(KernelSet::Baseline));
}

}  // namespace
