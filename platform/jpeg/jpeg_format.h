#pragma once
// The JPEG row of the picture-format table: JPEG files read and JFIF files written through
// libjpeg. The core has no JPEG; a program that wants it adds this row to the table it
// hands down.
#include "platform/image/picture_formats.h"

PictureFormat jpegFormat();
// The core formats with JPEG after them: every format the engine reads, in its
// detection order.
PictureFormats pictureFormatsWithJpeg();
