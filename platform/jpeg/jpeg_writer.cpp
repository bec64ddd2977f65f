#include "platform/jpeg/jpeg_writer.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "platform/image/file_writer.h"
#include "platform/image/picture_rows.h"

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}
void onMessage(j_common_ptr, int) {}

// Holds nothing with a destructor, so the error jump skips nothing. `rowBuffer` is
// scratch of width*3 bytes for pictures whose rows are not B,G,R already.
bool compress(jpeg_compress_struct& cinfo, ErrorManager& err, const Picture& picture, int quality,
              uint8_t* rowBuffer, unsigned char** data, unsigned long* size) {
    if (setjmp(err.jump)) return false;
    jpeg_mem_dest(&cinfo, data, size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    const bool direct = picture.bitsPerPixel == 24 || picture.bitsPerPixel == 32;
    cinfo.input_components = picture.bitsPerPixel == 32 ? 4 : 3;
    cinfo.in_color_space = picture.bitsPerPixel == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        JSAMPROW row;
        if (direct) {
            row = const_cast<JSAMPROW>(picture.row(y));
        } else {
            pictureRowToBgr(picture, y, rowBuffer);
            row = rowBuffer;
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

}  // namespace

bool encodeJpeg(const Picture& picture, int quality, std::vector<uint8_t>& out) {
    out.clear();
    if (!picture.isValid()) return false;
    quality = quality < 1 ? 1 : (quality > 100 ? 100 : quality);
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    err.base.emit_message = onMessage;
    jpeg_create_compress(&cinfo);
    unsigned char* data = nullptr;
    unsigned long size = 0;
    bool ok = false;
    try {
        std::vector<uint8_t> rowBuffer(static_cast<size_t>(picture.width) * 3);
        ok = compress(cinfo, err, picture, quality, rowBuffer.data(), &data, &size);
        if (ok) out.assign(data, data + size);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    jpeg_destroy_compress(&cinfo);
    std::free(data);
    if (!ok) out.clear();
    return ok;
}

bool writeJpeg(const std::string& path, const Picture& picture, int quality) {
    std::vector<uint8_t> bytes;
    return encodeJpeg(picture, quality, bytes) &&
           writeFileAtomically(path, bytes.data(), bytes.size());
}
