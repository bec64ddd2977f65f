// Picture decoding speed on 640x480 files made in memory at start-up, each format
// against stb_image on the same bytes where it reads that format.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/image/bmp_writer.h"
#include "platform/image/builtin_pictures.h"
#include "platform/jpeg/jpeg_writer.h"
#include "support/test_pictures.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb_image.h>
#pragma GCC diagnostic pop

#include "image/image_fixtures.h"

namespace {

constexpr int kW = 640, kH = 480;

// The built-in test pattern with a noisy band, so the files hold both flat areas
// (where run-length coding pays) and detail.
Picture source() {
    Picture p;
    builtinPicture("testpat.jpg", p);
    uint32_t seed = 12345;
    for (int y = 400; y < 440; ++y)
        for (int x = 0; x < kW * 3; ++x) {
            seed = seed * 1103515245u + 12345u;
            p.row(y)[x] = static_cast<uint8_t>(seed >> 24);
        }
    return p;
}

Bytes tgaFile(const Picture& p, bool rle) {
    Bytes data;
    for (int y = 0; y < kH; ++y) {
        const uint8_t* row = p.row(y);
        if (!rle) {
            data.insert(data.end(), row, row + kW * 3);
            continue;
        }
        for (int x = 0; x < kW;) {
            int run = 1;
            while (x + run < kW && run < 128 &&
                   std::memcmp(row + x * 3, row + (x + run) * 3, 3) == 0)
                ++run;
            if (run > 1) {
                data.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
                data.insert(data.end(), row + x * 3, row + x * 3 + 3);
                x += run;
                continue;
            }
            int n = 1;
            while (x + n < kW && n < 128 &&
                   std::memcmp(row + (x + n) * 3, row + (x + n - 1) * 3, 3) != 0)
                ++n;
            data.push_back(static_cast<uint8_t>(n - 1));
            data.insert(data.end(), row + x * 3, row + (x + n) * 3);
            x += n;
        }
    }
    TgaLayout layout;
    layout.type = rle ? 10 : 2;
    layout.width = kW;
    layout.height = kH;
    layout.descriptor = 0x20;
    return makeTga(layout, data);
}

// 8-bit PCX: the picture quantised to 3-3-2 bits with its palette.
Bytes pcxFile(const Picture& p) {
    Bytes indices;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const uint8_t* s = p.row(y) + x * 3;
            indices.push_back(
                static_cast<uint8_t>((s[2] & 0xE0) | ((s[1] >> 3) & 0x1C) | (s[0] >> 6)));
        }
    Bytes palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(static_cast<uint8_t>(i & 0xE0));
        palette.push_back(static_cast<uint8_t>((i & 0x1C) << 3));
        palette.push_back(static_cast<uint8_t>((i & 0x03) << 6));
    }
    return makePcx(kW, kH, 1, indices, palette);
}

Bytes psdFile(const Picture& p, bool packed) {
    std::vector<Bytes> planes(3, Bytes(static_cast<size_t>(kW) * kH));
    for (int c = 0; c < 3; ++c)
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                planes[c][static_cast<size_t>(y) * kW + x] = p.row(y)[x * 3 + (2 - c)];
    return makePsd(kW, kH, planes, packed ? 1 : 0);
}

struct Files {
    Bytes bmp, tga, tgaRle, pcx, psd, psdRle, jpeg;
    Files() {
        Picture p = source();
        encodeBmp24(p, bmp);
        tga = tgaFile(p, false);
        tgaRle = tgaFile(p, true);
        pcx = pcxFile(p);
        psd = psdFile(p, false);
        psdRle = psdFile(p, true);
        encodeJpeg(p, 90, jpeg);
    }
};

const Files& files() {
    static const Files f;
    return f;
}

void ownDecoder(benchmark::State& state, const Bytes Files::*which) {
    const Bytes& b = files().*which;
    for (auto _ : state) {
        Picture pic;
        if (!testPictureFormats().decode(b.data(), b.size(), 0, pic))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pic.pixels.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kW * kH * 3);
}

void stbDecoder(benchmark::State& state, const Bytes Files::*which) {
    const Bytes& b = files().*which;
    for (auto _ : state) {
        int w, h, comp;
        stbi_uc* pixels =
            stbi_load_from_memory(b.data(), static_cast<int>(b.size()), &w, &h, &comp, 0);
        if (!pixels) state.SkipWithError("stb_image failed");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kW * kH * 3);
}

BENCHMARK_CAPTURE(ownDecoder, bmp24, &Files::bmp);
BENCHMARK_CAPTURE(stbDecoder, bmp24, &Files::bmp);
BENCHMARK_CAPTURE(ownDecoder, tga24, &Files::tga);
BENCHMARK_CAPTURE(stbDecoder, tga24, &Files::tga);
BENCHMARK_CAPTURE(ownDecoder, tga24_rle, &Files::tgaRle);
BENCHMARK_CAPTURE(stbDecoder, tga24_rle, &Files::tgaRle);
BENCHMARK_CAPTURE(ownDecoder, psd_raw, &Files::psd);
BENCHMARK_CAPTURE(stbDecoder, psd_raw, &Files::psd);
BENCHMARK_CAPTURE(ownDecoder, psd_packbits, &Files::psdRle);
BENCHMARK_CAPTURE(stbDecoder, psd_packbits, &Files::psdRle);
BENCHMARK_CAPTURE(ownDecoder, jpeg, &Files::jpeg);
BENCHMARK_CAPTURE(stbDecoder, jpeg, &Files::jpeg);
// stb_image does not read PCX.
BENCHMARK_CAPTURE(ownDecoder, pcx8, &Files::pcx);

}  // namespace
