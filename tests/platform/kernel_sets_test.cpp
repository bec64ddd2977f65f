// Every instruction set's kernels give the same bytes as the baseline ones, for row
// lengths around the vector widths. (The baseline or the best set is also checked
// against the reference rules through Surface.)
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/blit_kernels.h"

namespace {

TEST(KernelSets, AgreeWithTheBaselineOnEveryRowLength) {
    const KernelSet others[] = {KernelSet::Avx2};
    for (KernelSet set : others)
        for (int type : {15, 16, 24, 32}) {
            const int bytes = type == 24 ? 3 : type == 32 ? 4 : 2;
            const BlitKernels* base = kernelsIn(KernelSet::Baseline, type, bytes);
            const BlitKernels* other = kernelsIn(set, type, bytes);
            ASSERT_NE(base, nullptr);
            if (!other) GTEST_SKIP() << "processor lacks this instruction set";
            std::mt19937 rng(static_cast<uint32_t>(type));
            for (int n = 0; n <= 40; ++n)
                for (int level : {0, 1, 25, 128, 255, 256}) {
                    std::vector<uint8_t> src(n * bytes + 1), dst(n * bytes + 1);
                    for (auto& b : src) b = static_cast<uint8_t>(rng());
                    for (auto& b : dst) b = static_cast<uint8_t>(rng());
                    uint32_t key = 0;
                    if (n > 0) std::memcpy(&key, src.data(), bytes);
                    for (int i = 0; i + 2 * bytes <= n * bytes; i += 3 * bytes)
                        std::memcpy(src.data() + i + bytes, &key, bytes);  // some key pixels
                    auto check = [&](const char* what, auto&& run) {
                        std::vector<uint8_t> a = dst, b = dst;
                        run(*base, a);
                        run(*other, b);
                        ASSERT_EQ(a, b)
                            << what << " type " << type << " n " << n << " level " << level;
                    };
                    const uint8_t* s = src.data() + 1;  // unaligned on purpose
                    check("keyed", [&](const BlitKernels& k, std::vector<uint8_t>& d) {
                        k.keyed(d.data() + 1, s, n, key);
                    });
                    check("half", [&](const BlitKernels& k, std::vector<uint8_t>& d) {
                        k.half(d.data() + 1, s, n);
                    });
                    check("keyedHalf", [&](const BlitKernels& k, std::vector<uint8_t>& d) {
                        k.keyedHalf(d.data() + 1, s, n, key);
                    });
                    check("alpha", [&](const BlitKernels& k, std::vector<uint8_t>& d) {
                        k.alpha(d.data() + 1, s, n, level);
                    });
                    check("keyedAlpha", [&](const BlitKernels& k, std::vector<uint8_t>& d) {
                        k.keyedAlpha(d.data() + 1, s, n, level, key);
                    });
                    check("faded", [&](const BlitKernels& k, std::vector<uint8_t>& d) {
                        k.faded(d.data() + 1, s, n, level);
                    });
                    check("fill", [&](const BlitKernels& k, std::vector<uint8_t>& d) {
                        k.fill(d.data() + 1, n, key);
                    });
                }
        }
}

}  // namespace
