#include "platform/image/image_reader.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "platform/image/decoders.h"

namespace imagedetail {

size_t rowBytes(int width, int bits, size_t align) {
    if (width <= 0 || width > kMaxPictureSide || bits <= 0 || bits > 32) return 0;
    size_t bitsInRow = static_cast<size_t>(width) * static_cast<size_t>(bits);
    size_t bytes = (bitsInRow + 7) / 8;
    return (bytes + align - 1) / align * align;
}

bool allocatePicture(Picture& out, int width, int height, int bitsPerPixel, size_t stride,
                     bool topDown, std::string& error, uint8_t fill) {
    out = Picture();
    if (width <= 0 || height <= 0) return fail(error, "picture has no pixels");
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return fail(error, "picture is too large");
    // Both sides are capped, so the product fits in size_t; the stride is checked too.
    if (stride == 0 || stride > static_cast<size_t>(kMaxPictureSide) * 4)
        return fail(error, "bad row size");
    out.pixels.assign(stride * static_cast<size_t>(height), fill);
    out.width = width;
    out.height = height;
    out.bitsPerPixel = bitsPerPixel;
    out.stride = stride;
    out.topDown = topDown;
    return true;
}

}  // namespace imagedetail

namespace ImageReader {

using namespace imagedetail;

int detect(const uint8_t* bytes, size_t size) {
    if (!bytes) return Unsupported;
    if (size >= 18 && std::memcmp(bytes + size - 18, "TRUEVISION-XFILE", 16) == 0) {
        uint8_t depth = bytes[16];
        if (depth == 8 || depth == 16 || depth == 24 || depth == 32) return Targa;
    }
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return Bitmap;
    if (size >= 5 && std::memcmp(bytes, "8BPS", 4) == 0 && bytes[4] == 0) return Photoshop;
    if (size >= 3 && bytes[0] == 10 && bytes[1] == 5 && bytes[2] == 1) return Pcx;
    if (size >= 10 && bytes[0] == 0xFF && bytes[2] == 0xFF &&
        std::memcmp(bytes + 6, "JFIF", 4) == 0)
        return Jpeg;
    return Unsupported;
}

bool decode(const uint8_t* bytes, size_t size, int type, Picture& out, std::string* error) {
    std::string why;
    out = Picture();
    if (type == Unsupported) type = detect(bytes, size);
    bool ok = false;
    try {
        switch (type) {
            case Bitmap:
                ok = decodeBitmap(bytes, size, out, why);
                break;
            case Photoshop:
                ok = decodePhotoshop(bytes, size, out, why);
                break;
            case Targa:
                ok = decodeTarga(bytes, size, out, why);
                break;
            case Pcx:
                ok = decodePcx(bytes, size, out, why);
                break;
            case Jpeg:
                ok = decodeJpeg(bytes, size, out, why);
                break;
            default:
                why = "Unsupported Image type.";
                break;
        }
    } catch (const std::bad_alloc&) {
        why = "out of memory";
        ok = false;
    }
    if (!ok) {
        out = Picture();
        if (error) *error = why.empty() ? "cannot decode picture" : why;
    }
    return ok;
}

bool readFile(const std::string& path, Picture& out, int type, std::string* error) {
    out = Picture();
    auto setError = [&](const char* why) {
        if (error) *error = why;
        return false;
    };
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return setError("cannot open file");
    std::vector<uint8_t> bytes;
    bool readOk = false;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long size = std::ftell(file);
        // No supported picture needs more than a gigabyte or two of file.
        if (size >= 0 && static_cast<unsigned long>(size) <= (2ul << 30) &&
            std::fseek(file, 0, SEEK_SET) == 0) {
            try {
                bytes.resize(static_cast<size_t>(size));
                readOk = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
            } catch (const std::bad_alloc&) {
                readOk = false;
            }
        }
    }
    std::fclose(file);
    if (!readOk) return setError("cannot read file");
    return decode(bytes.data(), bytes.size(), type, out, error);
}

}  // namespace ImageReader
