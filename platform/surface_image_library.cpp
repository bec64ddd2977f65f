#include "platform/surface_image_library.h"

#include <memory>

#include "platform/image/grey_kernels.h"
#include "platform/image/imagelib.h"
#include "platform/image/picture.h"
#include "platform/surface.h"

namespace {

// The surface's picture in `record`, grey when asked; false when it has no colours.
bool fillRecord(const Surface& surface, ImageRecord& record, bool grey) {
    Picture picture;
    return surface.toPicture(picture) && CopyBitmapToRecord(picture, record, 0) &&
           (!grey || ConvertRecordToGrey(record));
}

}  // namespace

bool writeSurfaceJpeg(const PictureFormats& formats, const Surface& surface,
                      const std::string& path, bool grey) {
    ImageRecord record;
    InitImageRecord(record);
    bool written = fillRecord(surface, record, grey) && WriteRecordJpeg(formats, path, record, 100);
    FreeImageRecord(record);
    return written;
}

void greySnapshot(Surface& surface) {
    // 16-bit pictures go grey in place, row by row.
    const int type = surface.format().type;
    if (surface.valid() && (type == 15 || type == 16)) {
        const GreyKernels& kernels = greyKernels();
        void (*row)(uint8_t*, int) = type == 16 ? kernels.rgb565 : kernels.rgb555;
        for (int y = 0; y < surface.height(); ++y)
            row(surface.pixels() + static_cast<size_t>(y) * static_cast<size_t>(surface.pitch()),
                surface.width());
        return;
    }
    ImageRecord record;
    InitImageRecord(record);
    if (fillRecord(surface, record, true)) {
        std::unique_ptr<Picture> grey = CopyRecordToBitmap(record);
        Surface converted;
        if (grey && converted.fromPicture(*grey, surface.format()) == 0)
            converted.draw(surface, 0, 0);
    }
    FreeImageRecord(record);
}
