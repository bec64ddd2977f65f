#include "platform/jpeg/jpeg_format.h"

PictureFormats pictureFormatsWithJpeg() {
    PictureFormats formats = corePictureFormats();
    formats.add(jpegFormat());
    return formats;
}
