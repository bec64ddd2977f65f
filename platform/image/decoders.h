#pragma once
// The per-format decoders behind ImageReader, and the small helpers they share for
// reading outside bytes safely. Internal to the image library.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/image/picture.h"

namespace imagedetail {

bool decodeBitmap(const uint8_t* bytes, size_t size, Picture& out, std::string& error);
bool decodePhotoshop(const uint8_t* bytes, size_t size, Picture& out, std::string& error);
bool decodeTarga(const uint8_t* bytes, size_t size, Picture& out, std::string& error);
bool decodePcx(const uint8_t* bytes, size_t size, Picture& out, std::string& error);
bool decodeJpeg(const uint8_t* bytes, size_t size, Picture& out, std::string& error);

inline uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint16_t be16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline uint32_t be32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

// Sets up `out` with rows filled with `fill` of `stride` bytes after checking the dimensions
// against kMaxPictureSide and the byte count for overflow. False leaves `out` empty.
bool allocatePicture(Picture& out, int width, int height, int bitsPerPixel, size_t stride,
                     bool topDown, std::string& error, uint8_t fill = 0);

// Bytes per row of `width` pixels of `bits` each, padded to `align` bytes; 0 when the
// width is unusable.
size_t rowBytes(int width, int bits, size_t align);

inline bool fail(std::string& error, const char* why) {
    error = why;
    return false;
}

}  // namespace imagedetail
