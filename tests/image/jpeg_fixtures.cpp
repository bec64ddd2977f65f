#include "image/jpeg_fixtures.h"

#include <jpeglib.h>

#include <cstdlib>
#include <cstring>

Bytes writeJpegAs(const Picture& picture, JpegKind kind) {
    const bool cmyk = kind == JpegKind::AdobeCmyk || kind == JpegKind::JfifCmyk;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* data = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &data, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = cmyk ? 4 : 3;
    cinfo.in_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    if (kind == JpegKind::AdobeRgb) jpeg_set_colorspace(&cinfo, JCS_RGB);
    if (kind != JpegKind::Jfif) cinfo.write_Adobe_marker = TRUE;
    cinfo.write_JFIF_header = kind == JpegKind::Jfif || kind == JpegKind::JfifCmyk;
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    Bytes row(static_cast<size_t>(picture.width) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint8_t* src = picture.row(static_cast<int>(cinfo.next_scanline));
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = src + static_cast<size_t>(x) * 3;
            if (cmyk) {
                // Adobe stores inverted: 255 is no ink.
                const uint8_t ink[4] = {static_cast<uint8_t>(255 - p[0]),
                                        static_cast<uint8_t>(255 - p[1]),
                                        static_cast<uint8_t>(255 - p[2]), 255};
                std::memcpy(&row[static_cast<size_t>(x) * 4], ink, 4);
            } else {
                std::memcpy(&row[static_cast<size_t>(x) * 3], p, 3);
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes file(data, data + size);
    std::free(data);
    return file;
}

Bytes withExif(const Bytes& jpeg) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return {};
    size_t rest = 2;
    if (jpeg.size() >= 10 && jpeg[3] == 0xE0 && std::memcmp(&jpeg[6], "JFIF", 4) == 0)
        rest = 4 + ((size_t{jpeg[4]} << 8) | jpeg[5]);
    if (rest > jpeg.size()) return {};
    // "Exif\0\0", then a little-endian TIFF header and one directory holding the
    // orientation tag (1: rows as stored).
    const uint8_t exif[] = {'E',  'x',  'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                            0x12, 0x01, 3,   0,   1, 0, 0,   0,   1,  0, 0, 0, 0, 0, 0, 0};
    Bytes out{0xFF, 0xD8, 0xFF, 0xE1};
    append16be(out, static_cast<uint32_t>(sizeof exif + 2));
    out.insert(out.end(), exif, exif + sizeof exif);
    out.insert(out.end(), jpeg.begin() + static_cast<long>(rest), jpeg.end());
    return out;
}
