#include "platform/image/bmp_writer.h"

#include <new>

#include "platform/image/file_writer.h"
#include "platform/image/picture_rows.h"

namespace {

void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

}  // namespace

bool encodeBmp24(const Picture& picture, std::vector<uint8_t>& out) {
    out.clear();
    if (!picture.isValid()) return false;
    constexpr size_t kHeaders = 14 + 40;
    const size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~size_t{3};
    const size_t dataSize = stride * static_cast<size_t>(picture.height);
    if (dataSize > 0xFFFFFFFFu - kHeaders) return false;
    try {
        out.assign(kHeaders + dataSize, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    uint8_t* h = out.data();
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, static_cast<uint32_t>(out.size()));
    put32(h + 10, kHeaders);
    put32(h + 14, 40);
    put32(h + 18, static_cast<uint32_t>(picture.width));
    put32(h + 22, static_cast<uint32_t>(picture.height));
    put16(h + 26, 1);
    put16(h + 28, 24);
    put32(h + 34, static_cast<uint32_t>(dataSize));
    put32(h + 38, 3780);  // 96 pixels per inch
    put32(h + 42, 3780);
    for (int y = 0; y < picture.height; ++y) {
        uint8_t* row = out.data() + kHeaders + stride * static_cast<size_t>(picture.height - 1 - y);
        pictureRowToBgr(picture, y, row);
    }
    return true;
}

bool writeBmp24(const std::string& path, const Picture& picture) {
    std::vector<uint8_t> bytes;
    return encodeBmp24(picture, bytes) && writeFileAtomically(path, bytes.data(), bytes.size());
}
