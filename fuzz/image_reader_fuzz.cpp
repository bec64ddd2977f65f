// Feeds arbitrary bytes to the picture readers: once through content detection, and
// once forced to the decoder named by the first byte, so each decoder is reached even
// without its signature (the TGA one sits at the end of the file).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/image/bmp_writer.h"
#include "platform/image/image_reader.h"
#include "platform/image/picture_rows.h"
#include "platform/jpeg/jpeg_format.h"

namespace {

void check(const Picture& pic) {
    if (!pic.isValid()) std::abort();
    // Touch every row so the sanitizer sees any short buffer.
    std::vector<uint8_t> row(static_cast<size_t>(pic.width) * 3);
    unsigned sum = 0;
    for (int y = 0; y < pic.height; ++y) {
        pictureRowToBgr(pic, y, row.data());
        sum += row[0] + row.back();
    }
    if (pic.bitsPerPixel == 8 && pic.palette.size() != 256 * 4) std::abort();
    volatile unsigned sink = sum;
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const PictureFormats formats = pictureFormatsWithJpeg();
    Picture pic;
    if (formats.decode(data, size, 0, pic)) check(pic);
    if (size > 0) {
        const int type = 1 + data[0] % 5;
        if (formats.decode(data + 1, size - 1, type, pic)) check(pic);
    }
    return 0;
}
