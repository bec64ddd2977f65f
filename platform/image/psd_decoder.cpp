// Photoshop files: version 1, 8-bit RGB, raw or PackBits planes, into a 32-bit picture.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/image/decoder_support.h"
#include "platform/image/image_reader.h"
#include "platform/image/picture_formats.h"

namespace imagedetail {
namespace {

constexpr size_t kHeader = 26;
constexpr int kMaxChannels = 24;
constexpr int kModeRgb = 3;
// Byte position of a channel inside a B,G,R,X pixel.
constexpr int kChannelByte[4] = {2, 1, 0, 3};

// One PackBits row of exactly `width` bytes, written every fourth byte of `dst`
// (one channel of B,G,R,X pixels); false when it does not fit.
bool unpackRow(const uint8_t* p, const uint8_t* end, uint8_t* dst, size_t width) {
    size_t done = 0;
    while (p < end) {
        const int n = static_cast<int8_t>(*p++);
        if (n >= 0) {
            size_t count = static_cast<size_t>(n) + 1;
            if (count > static_cast<size_t>(end - p) || count > width - done) return false;
            uint8_t* d = dst + done * 4;
            for (size_t i = 0; i < count; ++i) d[i * 4] = p[i];
            p += count;
            done += count;
        } else if (n != -128) {  // -128 is a no-op
            size_t count = static_cast<size_t>(1 - n);
            if (p >= end || count > width - done) return false;
            uint8_t* d = dst + done * 4;
            const uint8_t v = *p++;
            for (size_t i = 0; i < count; ++i) d[i * 4] = v;
            done += count;
        }
    }
    return done == width;
}

inline void scatter(const uint8_t* src, uint8_t* dst, size_t width) {
    for (size_t x = 0; x < width; ++x, dst += 4) *dst = src[x];
}

// "8BPS" followed by a zero byte (the high byte of version 1).
bool detectPhotoshop(const uint8_t* bytes, size_t size) {
    return size >= 5 && std::memcmp(bytes, "8BPS", 4) == 0 && bytes[4] == 0;
}

bool decodePhotoshop(const uint8_t* bytes, size_t size, Picture& out, std::string& error) {
    if (size < kHeader + 2) return fail(error, "Photoshop header truncated");
    if (std::memcmp(bytes, "8BPS", 4) != 0 || be16(bytes + 4) != 1)
        return fail(error, "unsupported Photoshop version");
    const int channels = be16(bytes + 12);
    const uint32_t height = be32(bytes + 14), width = be32(bytes + 18);
    if (be16(bytes + 22) != 8) return fail(error, "Photoshop depth must be 8 bits");
    if (be16(bytes + 24) != kModeRgb) return fail(error, "Photoshop colour mode must be RGB");
    if (channels < 3 || channels > kMaxChannels)
        return fail(error, "unsupported Photoshop channel count");
    if (width == 0 || height == 0) return fail(error, "Photoshop picture has no pixels");
    if (width > static_cast<uint32_t>(kMaxPictureSide) ||
        height > static_cast<uint32_t>(kMaxPictureSide))
        return fail(error, "Photoshop picture is too large");

    // Colour-mode data, image resources, layer and mask information: skipped.
    size_t at = kHeader;
    for (int section = 0; section < 3; ++section) {
        if (size - at < 4) return fail(error, "Photoshop section truncated");
        uint32_t length = be32(bytes + at);
        at += 4;
        if (length > size - at) return fail(error, "Photoshop section past end of file");
        at += length;
    }
    if (size - at < 2) return fail(error, "Photoshop image data missing");
    const int compression = be16(bytes + at);
    at += 2;
    if (compression != 0 && compression != 1)
        return fail(error, "unsupported Photoshop compression");

    const size_t w = width, h = height;
    const int used = std::min(channels, 4);
    const uint8_t* data = bytes + at;
    const size_t available = size - at;
    if (compression == 0 && available / (w * h) < static_cast<size_t>(used))
        return fail(error, "Photoshop planes truncated");
    const size_t tableBytes = static_cast<size_t>(channels) * h * 2;
    if (compression == 1 && tableBytes > available)
        return fail(error, "Photoshop row table truncated");

    Picture pic;
    // With no fourth channel the fourth byte of every pixel stays 0xFF.
    if (!allocatePicture(pic, static_cast<int>(w), static_cast<int>(h), 32, w * 4, true, error,
                         0xFF))
        return false;

    if (compression == 0) {
        for (int c = 0; c < used; ++c) {
            const uint8_t* plane = data + static_cast<size_t>(c) * w * h;
            uint8_t* dst = pic.pixels.data() + kChannelByte[c];
            scatter(plane, dst, w * h);
        }
    } else {
        const uint8_t* counts = data;
        size_t offset = tableBytes;
        for (int c = 0; c < used; ++c) {
            for (size_t y = 0; y < h; ++y) {
                size_t length = be16(counts + (static_cast<size_t>(c) * h + y) * 2);
                if (length > available - offset) return fail(error, "Photoshop row past end");
                uint8_t* dst = pic.pixels.data() + y * w * 4 + kChannelByte[c];
                if (!unpackRow(data + offset, data + offset + length, dst, w))
                    return fail(error, "Photoshop row does not match the width");
                offset += length;
            }
        }
    }
    out = std::move(pic);
    return true;
}

}  // namespace

PictureFormat photoshopFormat() {
    return {ImageReader::Photoshop, "Photoshop", detectPhotoshop, decodePhotoshop};
}

}  // namespace imagedetail
