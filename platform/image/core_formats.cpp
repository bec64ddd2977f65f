// The picture formats the core reads without outside libraries. A new format is a
// decoder file that defines its row, declared and listed here.
#include "platform/image/picture_formats.h"

namespace imagedetail {
// Each row is defined beside its decoder.
PictureFormat targaFormat();
PictureFormat bitmapFormat();
PictureFormat photoshopFormat();
PictureFormat pcxFormat();
}  // namespace imagedetail

PictureFormats corePictureFormats() {
    using namespace imagedetail;
    // The order is the detection order: a bitmap with a TGA footer is read as TGA.
    return PictureFormats({targaFormat(), bitmapFormat(), photoshopFormat(), pcxFormat()});
}
