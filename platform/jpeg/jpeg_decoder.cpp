// JPEG files through libjpeg (JFIF, Exif, Adobe and bare streams), decoded from memory at
// the picture's own size.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "platform/image/decoder_support.h"
#include "platform/image/image_reader.h"
#include "platform/jpeg/jpeg_format.h"
#include "platform/jpeg/jpeg_writer.h"

namespace imagedetail {
namespace {

// Real files have a dozen scans at most; thousands only make decoding crawl.
constexpr int kMaxScans = 1000;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated = false;
    char message[JMSG_LENGTH_MAX] = {};
};

void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings are silent, but a picture cut short must not pass as whole.
void onMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) err->truncated = true;
}

// Start-of-scan markers in the stream (entropy-coded data never holds one, as 0xFF
// is stuffed there).
int countScans(const uint8_t* bytes, size_t size) {
    int scans = 0;
    for (size_t i = 0; i + 1 < size; ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) ++scans;
    }
    return scans;
}

void cmykToBgr(const uint8_t* src, uint8_t* dst, size_t width, bool inverted) {
    for (size_t x = 0; x < width; ++x, src += 4, dst += 3) {
        unsigned c = src[0], m = src[1], y = src[2], k = src[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        dst[0] = static_cast<uint8_t>(y * k / 255);
        dst[1] = static_cast<uint8_t>(m * k / 255);
        dst[2] = static_cast<uint8_t>(c * k / 255);
    }
}

// The first rule JPEG files were read by: 0xFF at bytes 0 and 2 and "JFIF" at bytes 6..9,
// whatever the marker at byte 3 is.
bool hasJfifAtSix(const uint8_t* bytes, size_t size) {
    return size >= 10 && bytes[0] == 0xFF && bytes[2] == 0xFF &&
           std::memcmp(bytes + 6, "JFIF", 4) == 0;
}

// Kept apart from anything with a destructor, so the error jump skips nothing.
bool decodeInto(jpeg_decompress_struct& cinfo, ErrorManager& err, const uint8_t* bytes, size_t size,
                Picture& out, uint8_t* volatile* cmykRow, bool jfif, std::string& error) {
    if (setjmp(err.jump)) {
        error = err.message;
        return false;
    }
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(bytes), static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return fail(error, "no JPEG image");
    if (cinfo.image_width == 0 || cinfo.image_height == 0) return fail(error, "JPEG has no pixels");
    if (cinfo.image_width > static_cast<JDIMENSION>(kMaxPictureSide) ||
        cinfo.image_height > static_cast<JDIMENSION>(kMaxPictureSide))
        return fail(error, "JPEG is too large");
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    // Printers' CMYK files (Adobe, without JFIF) have no one right colour on a screen.
    if (cmyk && !jfif) return fail(error, "CMYK JPEG: save it in RGB colour");
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    cinfo.mem->max_memory_to_use = 1024L * 1024L * 1024L;
    jpeg_start_decompress(&cinfo);
    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    if (!allocatePicture(out, width, height, 24, static_cast<size_t>(width) * 3, true, error))
        return false;
    if (cmyk) {
        *cmykRow = new uint8_t[static_cast<size_t>(width) * 4];
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        if (cmyk) {
            JSAMPROW rows[1] = {*cmykRow};
            jpeg_read_scanlines(&cinfo, rows, 1);
            cmykToBgr(*cmykRow, out.row(y), static_cast<size_t>(width), cinfo.saw_Adobe_marker);
        } else {
            JSAMPROW rows[16];
            int n = 0;
            for (; n < 16 && y + n < height; ++n) rows[n] = out.row(y + n);
            jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(n));
        }
        if (err.truncated) return fail(error, "JPEG data ends early");
    }
    jpeg_finish_decompress(&cinfo);
    return !err.truncated || fail(error, "JPEG data ends early");
}

// The JFIF rule, or the start-of-image marker followed by another marker, as Exif files
// from cameras and Adobe files begin.
bool detectJpeg(const uint8_t* bytes, size_t size) {
    return hasJfifAtSix(bytes, size) ||
           (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF);
}

bool decodeJpeg(const uint8_t* bytes, size_t size, Picture& out, std::string& error) {
    if (size < 4) return fail(error, "JPEG truncated");
    if (countScans(bytes, size) > kMaxScans) return fail(error, "too many JPEG scans");
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    err.base.emit_message = onMessage;
    jpeg_create_decompress(&cinfo);
    uint8_t* volatile cmykRow = nullptr;
    bool ok = false;
    try {
        ok = decodeInto(cinfo, err, bytes, size, out, &cmykRow, hasJfifAtSix(bytes, size), error);
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
    jpeg_destroy_decompress(&cinfo);
    delete[] cmykRow;
    if (!ok) out = Picture();
    return ok;
}

}  // namespace
}  // namespace imagedetail

PictureFormat jpegFormat() {
    return {ImageReader::Jpeg, "JPEG (JFIF)", imagedetail::detectJpeg, imagedetail::decodeJpeg,
            encodeJpeg};
}
