#include "platform/blit_kernels.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define VORLEN_SSE2 1
#endif

// Every blend is computed as (s * (256 - L) + d * L) >> 8 per channel, which equals
// s + (((d - s) * L) >> 8) with an arithmetic shift but never goes negative, so the
// channels can be packed side by side in 16-bit lanes. The scalar loops handle the
// tails of the vector loops and builds without SSE2; both give the same results.

namespace {

inline uint32_t load16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline void store16(uint8_t* p, uint32_t v) {
    uint16_t w = static_cast<uint16_t>(v);
    std::memcpy(p, &w, 2);
}
inline uint32_t load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void store32(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, 4);
}
inline uint32_t load24(const uint8_t* p) {
    return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
}
inline void store24(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
}

// ---- 16-bit types ---------------------------------------------------------------

struct Format565 {
    static constexpr int kRedShift = 11, kGreenShift = 5;
    static constexpr uint32_t kRed = 31, kGreen = 63, kBlue = 31;
    static constexpr uint32_t kHalfMask = 0x7BEF;
};
struct Format555 {
    static constexpr int kRedShift = 10, kGreenShift = 5;
    static constexpr uint32_t kRed = 31, kGreen = 31, kBlue = 31;
    static constexpr uint32_t kHalfMask = 0x3DEF;
};

template <class F>
inline uint32_t mix16(uint32_t s, uint32_t d, uint32_t level) {
    const uint32_t inv = 256 - level;
    uint32_t r =
        (((s >> F::kRedShift) & F::kRed) * inv + ((d >> F::kRedShift) & F::kRed) * level) >> 8;
    uint32_t g =
        (((s >> F::kGreenShift) & F::kGreen) * inv + ((d >> F::kGreenShift) & F::kGreen) * level) >>
        8;
    uint32_t b = ((s & F::kBlue) * inv + (d & F::kBlue) * level) >> 8;
    return r << F::kRedShift | g << F::kGreenShift | b;
}

template <class F>
inline uint32_t fade16(uint32_t s, uint32_t level) {
    uint32_t r = (((s >> F::kRedShift) & F::kRed) * level) >> 8;
    uint32_t g = (((s >> F::kGreenShift) & F::kGreen) * level) >> 8;
    uint32_t b = ((s & F::kBlue) * level) >> 8;
    return r << F::kRedShift | g << F::kGreenShift | b;
}

template <class F>
inline uint32_t half16(uint32_t s, uint32_t d) {
    return ((s >> 1) & F::kHalfMask) + ((d >> 1) & F::kHalfMask);
}

#ifdef VORLEN_SSE2
inline __m128i loadVec(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void storeVec(uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}
// Where mask is set take a, else b.
inline __m128i select(__m128i mask, __m128i a, __m128i b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

template <class F>
inline __m128i mix16x8(__m128i s, __m128i d, __m128i inv, __m128i level) {
    const __m128i red = _mm_set1_epi16(F::kRed), green = _mm_set1_epi16(F::kGreen),
                  blue = _mm_set1_epi16(F::kBlue);
    __m128i r =
        _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, F::kRedShift), red), inv),
                      _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, F::kRedShift), red), level));
    __m128i g = _mm_add_epi16(
        _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, F::kGreenShift), green), inv),
        _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, F::kGreenShift), green), level));
    __m128i b = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(s, blue), inv),
                              _mm_mullo_epi16(_mm_and_si128(d, blue), level));
    r = _mm_slli_epi16(_mm_srli_epi16(r, 8), F::kRedShift);
    g = _mm_slli_epi16(_mm_srli_epi16(g, 8), F::kGreenShift);
    b = _mm_srli_epi16(b, 8);
    return _mm_or_si128(_mm_or_si128(r, g), b);
}

template <class F>
inline __m128i fade16x8(__m128i s, __m128i level) {
    const __m128i red = _mm_set1_epi16(F::kRed), green = _mm_set1_epi16(F::kGreen),
                  blue = _mm_set1_epi16(F::kBlue);
    __m128i r = _mm_srli_epi16(
        _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, F::kRedShift), red), level), 8);
    __m128i g = _mm_srli_epi16(
        _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, F::kGreenShift), green), level), 8);
    __m128i b = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(s, blue), level), 8);
    return _mm_or_si128(
        _mm_or_si128(_mm_slli_epi16(r, F::kRedShift), _mm_slli_epi16(g, F::kGreenShift)), b);
}

template <class F>
inline __m128i half16x8(__m128i s, __m128i d) {
    const __m128i mask = _mm_set1_epi16(static_cast<short>(F::kHalfMask));
    return _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(s, 1), mask),
                         _mm_and_si128(_mm_srli_epi16(d, 1), mask));
}
#endif

void keyed16(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    for (; i + 8 <= n; i += 8) {
        __m128i s = loadVec(src + 2 * i), d = loadVec(dst + 2 * i);
        storeVec(dst + 2 * i, select(_mm_cmpeq_epi16(s, k), d, s));
    }
#endif
    for (; i < n; ++i) {
        uint32_t s = load16(src + 2 * i), d = load16(dst + 2 * i);
        store16(dst + 2 * i, s == key ? d : s);
    }
}

template <class F>
void halfRow16(uint8_t* dst, const uint8_t* src, int n) {
    int i = 0;
#ifdef VORLEN_SSE2
    for (; i + 8 <= n; i += 8)
        storeVec(dst + 2 * i, half16x8<F>(loadVec(src + 2 * i), loadVec(dst + 2 * i)));
#endif
    for (; i < n; ++i) store16(dst + 2 * i, half16<F>(load16(src + 2 * i), load16(dst + 2 * i)));
}

template <class F>
void keyedHalfRow16(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    for (; i + 8 <= n; i += 8) {
        __m128i s = loadVec(src + 2 * i), d = loadVec(dst + 2 * i);
        storeVec(dst + 2 * i, select(_mm_cmpeq_epi16(s, k), d, half16x8<F>(s, d)));
    }
#endif
    for (; i < n; ++i) {
        uint32_t s = load16(src + 2 * i), d = load16(dst + 2 * i);
        store16(dst + 2 * i, s == key ? d : half16<F>(s, d));
    }
}

template <class F>
void alphaRow16(uint8_t* dst, const uint8_t* src, int n, int level) {
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i l = _mm_set1_epi16(static_cast<short>(level)),
                  inv = _mm_set1_epi16(static_cast<short>(256 - level));
    for (; i + 8 <= n; i += 8)
        storeVec(dst + 2 * i, mix16x8<F>(loadVec(src + 2 * i), loadVec(dst + 2 * i), inv, l));
#endif
    for (; i < n; ++i)
        store16(dst + 2 * i, mix16<F>(load16(src + 2 * i), load16(dst + 2 * i), level));
}

template <class F>
void keyedAlphaRow16(uint8_t* dst, const uint8_t* src, int n, int level, uint32_t key) {
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i l = _mm_set1_epi16(static_cast<short>(level)),
                  inv = _mm_set1_epi16(static_cast<short>(256 - level)),
                  k = _mm_set1_epi16(static_cast<short>(key));
    for (; i + 8 <= n; i += 8) {
        __m128i s = loadVec(src + 2 * i), d = loadVec(dst + 2 * i);
        storeVec(dst + 2 * i, select(_mm_cmpeq_epi16(s, k), d, mix16x8<F>(s, d, inv, l)));
    }
#endif
    for (; i < n; ++i) {
        uint32_t s = load16(src + 2 * i), d = load16(dst + 2 * i);
        store16(dst + 2 * i, s == key ? d : mix16<F>(s, d, level));
    }
}

template <class F>
void fadedRow16(uint8_t* dst, const uint8_t* src, int n, int level) {
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i l = _mm_set1_epi16(static_cast<short>(level));
    for (; i + 8 <= n; i += 8) storeVec(dst + 2 * i, fade16x8<F>(loadVec(src + 2 * i), l));
#endif
    for (; i < n; ++i) store16(dst + 2 * i, fade16<F>(load16(src + 2 * i), level));
}

void fill16(uint8_t* dst, int n, uint32_t pixel) {
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i v = _mm_set1_epi16(static_cast<short>(pixel));
    for (; i + 8 <= n; i += 8) storeVec(dst + 2 * i, v);
#endif
    for (; i < n; ++i) store16(dst + 2 * i, pixel);
}

uint32_t get16(const uint8_t* p) {
    return load16(p);
}
void put16(uint8_t* p, uint32_t v) {
    store16(p, v);
}
template <class F>
void blend16(uint8_t* p, uint32_t c, int level) {
    store16(p, mix16<F>(load16(p), c, level));
}

// ---- 24- and 32-bit types: bytes B, G, R (and an untouched fourth byte) ----------

inline uint32_t mixByte(uint32_t s, uint32_t d, uint32_t level) {
    return (s * (256 - level) + d * level) >> 8;
}
inline uint32_t halfByte(uint32_t s, uint32_t d) {
    return ((s >> 1) & 0x7F) + ((d >> 1) & 0x7F);
}

#ifdef VORLEN_SSE2
inline __m128i mixBytes(__m128i s, __m128i d, __m128i inv, __m128i level) {
    const __m128i zero = _mm_setzero_si128();
    __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), inv),
                               _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), level));
    __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), inv),
                               _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), level));
    return _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8));
}
inline __m128i fadeBytes(__m128i s, __m128i level) {
    const __m128i zero = _mm_setzero_si128();
    __m128i lo = _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), level);
    __m128i hi = _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), level);
    return _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8));
}
inline __m128i halfBytes(__m128i s, __m128i d) {
    const __m128i mask = _mm_set1_epi8(0x7F);
    return _mm_add_epi8(_mm_and_si128(_mm_srli_epi16(s, 1), mask),
                        _mm_and_si128(_mm_srli_epi16(d, 1), mask));
}
// For 32-bit pixels: keep the destination's fourth byte.
inline __m128i keepFourth(__m128i result, __m128i d) {
    return select(_mm_set1_epi32(0x00FFFFFF), result, d);
}
#endif

// The non-keyed byte operations treat a 24-bit row as a plain run of channel bytes;
// 32-bit rows skip every fourth byte.
template <int Bytes>
void halfRowBytes(uint8_t* dst, const uint8_t* src, int n) {
    const int total = n * Bytes;
    int i = 0;
#ifdef VORLEN_SSE2
    for (; i + 16 <= total; i += 16) {
        __m128i d = loadVec(dst + i), r = halfBytes(loadVec(src + i), d);
        storeVec(dst + i, Bytes == 4 ? keepFourth(r, d) : r);
    }
#endif
    for (; i < total; ++i)
        if (Bytes != 4 || (i & 3) != 3) dst[i] = static_cast<uint8_t>(halfByte(src[i], dst[i]));
}

template <int Bytes>
void alphaRowBytes(uint8_t* dst, const uint8_t* src, int n, int level) {
    const int total = n * Bytes;
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i l = _mm_set1_epi16(static_cast<short>(level)),
                  inv = _mm_set1_epi16(static_cast<short>(256 - level));
    for (; i + 16 <= total; i += 16) {
        __m128i d = loadVec(dst + i), r = mixBytes(loadVec(src + i), d, inv, l);
        storeVec(dst + i, Bytes == 4 ? keepFourth(r, d) : r);
    }
#endif
    for (; i < total; ++i)
        if (Bytes != 4 || (i & 3) != 3)
            dst[i] = static_cast<uint8_t>(mixByte(src[i], dst[i], level));
}

template <int Bytes>
void fadedRowBytes(uint8_t* dst, const uint8_t* src, int n, int level) {
    const int total = n * Bytes;
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i l = _mm_set1_epi16(static_cast<short>(level));
    for (; i + 16 <= total; i += 16) {
        __m128i r = fadeBytes(loadVec(src + i), l);
        storeVec(dst + i, Bytes == 4 ? keepFourth(r, loadVec(dst + i)) : r);
    }
#endif
    for (; i < total; ++i)
        if (Bytes != 4 || (i & 3) != 3) dst[i] = static_cast<uint8_t>((src[i] * level) >> 8);
}

// Keyed 24-bit rows: per pixel, the select compiled without branches.
void keyed24(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    key &= 0xFFFFFF;
    for (int i = 0; i < n; ++i, src += 3, dst += 3) {
        uint32_t s = load24(src), d = load24(dst);
        store24(dst, s == key ? d : s);
    }
}
void keyedHalf24(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    key &= 0xFFFFFF;
    for (int i = 0; i < n; ++i, src += 3, dst += 3) {
        uint32_t s = load24(src), d = load24(dst);
        uint32_t h = ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
        store24(dst, s == key ? d : h);
    }
}
void keyedAlpha24(uint8_t* dst, const uint8_t* src, int n, int level, uint32_t key) {
    key &= 0xFFFFFF;
    for (int i = 0; i < n; ++i, src += 3, dst += 3) {
        uint32_t s = load24(src), d = load24(dst);
        uint32_t m = mixByte(s & 0xFF, d & 0xFF, level) |
                     mixByte((s >> 8) & 0xFF, (d >> 8) & 0xFF, level) << 8 |
                     mixByte(s >> 16, d >> 16, level) << 16;
        store24(dst, s == key ? d : m);
    }
}

inline uint32_t mix32(uint32_t s, uint32_t d, uint32_t level) {
    return mixByte(s & 0xFF, d & 0xFF, level) |
           mixByte((s >> 8) & 0xFF, (d >> 8) & 0xFF, level) << 8 |
           mixByte((s >> 16) & 0xFF, (d >> 16) & 0xFF, level) << 16 | (d & 0xFF000000);
}

void keyed32(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    key &= 0xFFFFFF;
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i k = _mm_set1_epi32(static_cast<int>(key)), rgb = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= n; i += 4) {
        __m128i s = loadVec(src + 4 * i), d = loadVec(dst + 4 * i);
        storeVec(dst + 4 * i, select(_mm_cmpeq_epi32(_mm_and_si128(s, rgb), k), d, s));
    }
#endif
    for (; i < n; ++i) {
        uint32_t s = load32(src + 4 * i), d = load32(dst + 4 * i);
        store32(dst + 4 * i, (s & 0xFFFFFF) == key ? d : s);
    }
}
void keyedHalf32(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    key &= 0xFFFFFF;
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i k = _mm_set1_epi32(static_cast<int>(key)), rgb = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= n; i += 4) {
        __m128i s = loadVec(src + 4 * i), d = loadVec(dst + 4 * i);
        __m128i r = keepFourth(halfBytes(s, d), d);
        storeVec(dst + 4 * i, select(_mm_cmpeq_epi32(_mm_and_si128(s, rgb), k), d, r));
    }
#endif
    for (; i < n; ++i) {
        uint32_t s = load32(src + 4 * i), d = load32(dst + 4 * i);
        uint32_t h = (((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F)) | (d & 0xFF000000);
        store32(dst + 4 * i, (s & 0xFFFFFF) == key ? d : h);
    }
}
void keyedAlpha32(uint8_t* dst, const uint8_t* src, int n, int level, uint32_t key) {
    key &= 0xFFFFFF;
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i k = _mm_set1_epi32(static_cast<int>(key)), rgb = _mm_set1_epi32(0x00FFFFFF);
    const __m128i l = _mm_set1_epi16(static_cast<short>(level)),
                  inv = _mm_set1_epi16(static_cast<short>(256 - level));
    for (; i + 4 <= n; i += 4) {
        __m128i s = loadVec(src + 4 * i), d = loadVec(dst + 4 * i);
        __m128i r = keepFourth(mixBytes(s, d, inv, l), d);
        storeVec(dst + 4 * i, select(_mm_cmpeq_epi32(_mm_and_si128(s, rgb), k), d, r));
    }
#endif
    for (; i < n; ++i) {
        uint32_t s = load32(src + 4 * i), d = load32(dst + 4 * i);
        store32(dst + 4 * i, (s & 0xFFFFFF) == key ? d : mix32(s, d, level));
    }
}

void fill24(uint8_t* dst, int n, uint32_t pixel) {
    for (int i = 0; i < n; ++i, dst += 3) store24(dst, pixel);
}
void fill32(uint8_t* dst, int n, uint32_t pixel) {
    int i = 0;
#ifdef VORLEN_SSE2
    const __m128i v = _mm_set1_epi32(static_cast<int>(pixel));
    for (; i + 4 <= n; i += 4) storeVec(dst + 4 * i, v);
#endif
    for (; i < n; ++i) store32(dst + 4 * i, pixel);
}
uint32_t get24(const uint8_t* p) {
    return load24(p);
}
void put24(uint8_t* p, uint32_t v) {
    store24(p, v);
}
uint32_t get32(const uint8_t* p) {
    return load32(p);
}
void put32(uint8_t* p, uint32_t v) {
    store32(p, v);
}
void blend24(uint8_t* p, uint32_t c, int level) {
    for (int i = 0; i < 3; ++i, c >>= 8)
        p[i] = static_cast<uint8_t>(mixByte(p[i], c & 0xFF, level));
}
void blend32(uint8_t* p, uint32_t c, int level) {
    blend24(p, c, level);
}

// ---- 8-bit palette indices and other formats: copies, fills and pixels only ------

void keyed8(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    const uint8_t k = static_cast<uint8_t>(key);
    for (int i = 0; i < n; ++i) dst[i] = src[i] == k ? dst[i] : src[i];
}
void keyedRaw24(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    keyed24(dst, src, n, key);
}
void keyedRaw32(uint8_t* dst, const uint8_t* src, int n, uint32_t key) {
    for (int i = 0; i < n; ++i) {
        uint32_t s = load32(src + 4 * i), d = load32(dst + 4 * i);
        store32(dst + 4 * i, s == key ? d : s);
    }
}
void fill8(uint8_t* dst, int n, uint32_t pixel) {
    std::memset(dst, static_cast<uint8_t>(pixel), static_cast<size_t>(n));
}
uint32_t get8(const uint8_t* p) {
    return *p;
}
void put8(uint8_t* p, uint32_t v) {
    *p = static_cast<uint8_t>(v);
}

const BlitKernels kTable8 = {keyed8,  nullptr, nullptr, nullptr, nullptr,
                             nullptr, fill8,   get8,    put8,    nullptr};
const BlitKernels kTable15 = {keyed16,
                              halfRow16<Format555>,
                              keyedHalfRow16<Format555>,
                              alphaRow16<Format555>,
                              keyedAlphaRow16<Format555>,
                              fadedRow16<Format555>,
                              fill16,
                              get16,
                              put16,
                              blend16<Format555>};
const BlitKernels kTable16 = {keyed16,
                              halfRow16<Format565>,
                              keyedHalfRow16<Format565>,
                              alphaRow16<Format565>,
                              keyedAlphaRow16<Format565>,
                              fadedRow16<Format565>,
                              fill16,
                              get16,
                              put16,
                              blend16<Format565>};
const BlitKernels kTable24 = {keyed24,      halfRowBytes<3>,  keyedHalf24, alphaRowBytes<3>,
                              keyedAlpha24, fadedRowBytes<3>, fill24,      get24,
                              put24,        blend24};
const BlitKernels kTable32 = {keyed32,      halfRowBytes<4>,  keyedHalf32, alphaRowBytes<4>,
                              keyedAlpha32, fadedRowBytes<4>, fill32,      get32,
                              put32,        blend32};
const BlitKernels kRaw16 = {keyed16, nullptr, nullptr, nullptr, nullptr,
                            nullptr, fill16,  get16,   put16,   nullptr};
const BlitKernels kRaw24 = {keyedRaw24, nullptr, nullptr, nullptr, nullptr,
                            nullptr,    fill24,  get24,   put24,   nullptr};
const BlitKernels kRaw32 = {keyedRaw32, nullptr, nullptr, nullptr, nullptr,
                            nullptr,    fill32,  get32,   put32,   nullptr};

}  // namespace

const BlitKernels* kernelsFor(int type, int bytesPerPixel) {
    switch (type) {
        case 8:
            return &kTable8;
        case 15:
            return &kTable15;
        case 16:
            return &kTable16;
        case 24:
            return &kTable24;
        case 32:
            return &kTable32;
        case 0:
            switch (bytesPerPixel) {
                case 1:
                    return &kTable8;
                case 2:
                    return &kRaw16;
                case 3:
                    return &kRaw24;
                case 4:
                    return &kRaw32;
            }
            return nullptr;
    }
    return nullptr;
}
