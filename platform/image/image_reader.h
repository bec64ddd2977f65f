#pragma once
// The type codes of picture files. The formats themselves (how each is recognised and
// decoded) are rows of a PictureFormats table; the codes are the rows' keys.
#include "platform/image/picture_formats.h"

namespace ImageReader {

enum Type { Unsupported = 0, Bitmap = 1, Photoshop = 2, Targa = 3, Pcx = 4, Jpeg = 5 };

}  // namespace ImageReader
