#pragma once
// The table of picture formats the programs use (the core ones and JPEG), for the tests
// that read or write picture files.
#include "platform/image/image_reader.h"
#include "platform/jpeg/jpeg_format.h"

inline const PictureFormats& testPictureFormats() {
    static const PictureFormats formats = pictureFormatsWithJpeg();
    return formats;
}
