// Picture decoding speed on 640x480 files made in memory at start-up, each format
// against stb_image on the same bytes where it reads that format.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/image/bmp_writer.h"
#include "platform/image/image_reader.h"
#include "platform/image/jpeg_writer.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kW = 640, kH = 480;

void put16be(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}
void put32be(Bytes& b, uint32_t v) {
    put16be(b, v >> 16);
    put16be(b, v);
}

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
    Bytes b(18, 0);
    b[2] = rle ? 10 : 2;
    b[12] = kW & 0xFF;
    b[13] = kW >> 8;
    b[14] = kH & 0xFF;
    b[15] = kH >> 8;
    b[16] = 24;
    b[17] = 0x20;
    for (int y = 0; y < kH; ++y) {
        const uint8_t* row = p.row(y);
        if (!rle) {
            b.insert(b.end(), row, row + kW * 3);
            continue;
        }
        for (int x = 0; x < kW;) {
            int run = 1;
            while (x + run < kW && run < 128 &&
                   std::memcmp(row + x * 3, row + (x + run) * 3, 3) == 0)
                ++run;
            if (run > 1) {
                b.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
                b.insert(b.end(), row + x * 3, row + x * 3 + 3);
                x += run;
                continue;
            }
            int n = 1;
            while (x + n < kW && n < 128 &&
                   std::memcmp(row + (x + n) * 3, row + (x + n - 1) * 3, 3) != 0)
                ++n;
            b.push_back(static_cast<uint8_t>(n - 1));
            b.insert(b.end(), row + x * 3, row + (x + n) * 3);
            x += n;
        }
    }
    Bytes footer(8, 0);
    const char sig[] = "TRUEVISION-XFILE.";
    footer.insert(footer.end(), sig, sig + 18);
    b.insert(b.end(), footer.begin(), footer.end());
    return b;
}

// 8-bit PCX: the picture quantised to 3-3-2 bits with its palette.
Bytes pcxFile(const Picture& p) {
    Bytes b(128, 0);
    b[0] = 10;
    b[1] = 5;
    b[2] = 1;
    b[3] = 8;
    b[8] = (kW - 1) & 0xFF;
    b[9] = (kW - 1) >> 8;
    b[10] = (kH - 1) & 0xFF;
    b[11] = (kH - 1) >> 8;
    b[65] = 1;
    b[66] = kW & 0xFF;
    b[67] = kW >> 8;
    for (int y = 0; y < kH; ++y) {
        std::vector<uint8_t> idx(kW);
        for (int x = 0; x < kW; ++x) {
            const uint8_t* s = p.row(y) + x * 3;
            idx[x] = static_cast<uint8_t>((s[2] & 0xE0) | ((s[1] >> 3) & 0x1C) | (s[0] >> 6));
        }
        for (int x = 0; x < kW;) {
            int run = 1;
            while (x + run < kW && run < 63 && idx[x + run] == idx[x]) ++run;
            if (run > 1 || idx[x] >= 192) b.push_back(static_cast<uint8_t>(192 + run));
            b.push_back(idx[x]);
            x += run;
        }
    }
    b.push_back(12);
    for (int i = 0; i < 256; ++i) {
        b.push_back(static_cast<uint8_t>(i & 0xE0));
        b.push_back(static_cast<uint8_t>((i & 0x1C) << 3));
        b.push_back(static_cast<uint8_t>((i & 0x03) << 6));
    }
    return b;
}

Bytes packBits(const uint8_t* row, int n) {
    Bytes out;
    for (int i = 0; i < n;) {
        int run = 1;
        while (i + run < n && run < 128 && row[i + run] == row[i]) ++run;
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(257 - run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        int start = i, count = 0;
        while (i < n && count < 128 &&
               !(i + 2 < n && row[i] == row[i + 1] && row[i] == row[i + 2])) {
            ++i;
            ++count;
        }
        out.push_back(static_cast<uint8_t>(count - 1));
        out.insert(out.end(), row + start, row + start + count);
    }
    return out;
}

Bytes psdFile(const Picture& p, bool packed) {
    Bytes b = {'8', 'B', 'P', 'S'};
    put16be(b, 1);
    b.insert(b.end(), 6, 0);
    put16be(b, 3);
    put32be(b, kH);
    put32be(b, kW);
    put16be(b, 8);
    put16be(b, 3);
    put32be(b, 0);
    put32be(b, 0);
    put32be(b, 0);
    put16be(b, packed ? 1 : 0);
    std::vector<Bytes> rows;
    for (int c = 0; c < 3; ++c) {
        for (int y = 0; y < kH; ++y) {
            uint8_t plane[kW];
            for (int x = 0; x < kW; ++x) plane[x] = p.row(y)[x * 3 + (2 - c)];
            rows.push_back(packed ? packBits(plane, kW) : Bytes(plane, plane + kW));
        }
    }
    if (packed)
        for (const Bytes& r : rows) put16be(b, static_cast<uint32_t>(r.size()));
    for (const Bytes& r : rows) b.insert(b.end(), r.begin(), r.end());
    return b;
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
        if (!ImageReader::decode(b.data(), b.size(), 0, pic)) state.SkipWithError("decode failed");
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
