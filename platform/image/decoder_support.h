#pragma once
// The small helpers the picture decoders share for reading outside bytes safely.
// Internal to the decoders (the core ones and those of the codec libraries).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/image/picture.h"

namespace imagedetail {

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
