#include "platform/image/imagelib.h"

#include <cstring>
#include <new>

#include "platform/image/grey_kernels.h"
#include "platform/image/image_reader.h"
#include "platform/image/picture_rows.h"

namespace {

bool recordIsValid(const ImageRecord& r) {
    if (r.width <= 0 || r.height <= 0 || r.width > kMaxPictureSide || r.height > kMaxPictureSide)
        return false;
    if (r.bitCount != 24 && r.bitCount != 32) return false;
    if (r.stride < static_cast<size_t>(r.width) * static_cast<size_t>(r.bitCount / 8)) return false;
    return r.pixels.size() / r.stride >= static_cast<size_t>(r.height);
}

// A Picture viewing the record's layout (the pixels are copied).
bool recordToPicture(const ImageRecord& record, Picture& out) {
    if (!recordIsValid(record)) return false;
    out = Picture();
    out.width = record.width;
    out.height = record.height;
    out.bitsPerPixel = record.bitCount;
    out.stride = record.stride;
    out.topDown = true;
    out.pixels.assign(
        record.pixels.begin(),
        record.pixels.begin() +
            static_cast<std::ptrdiff_t>(record.stride * static_cast<size_t>(record.height)));
    return true;
}

}  // namespace

std::unique_ptr<Picture> LoadBitmapFile(const PictureFormats& formats, const std::string& fileName,
                                        int, int) {
    auto picture = std::make_unique<Picture>();
    if (!formats.readFile(fileName, *picture)) return nullptr;
    return picture;
}

void InitImageRecord(ImageRecord& record) {
    record = ImageRecord();
}

bool AllocateImageRecord(ImageRecord& record) {
    const int w = record.width, h = record.height, bits = record.bitCount;
    record.pixels.clear();
    record.stride = 0;
    if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide) return false;
    if (bits != 24 && bits != 32) return false;
    // Rows padded to 4 bytes as device-independent bitmaps keep them.
    const size_t stride = (static_cast<size_t>(w) * static_cast<size_t>(bits / 8) + 3) & ~size_t{3};
    try {
        record.pixels.assign(stride * static_cast<size_t>(h), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    record.stride = stride;
    return true;
}

bool CopyBitmapToRecord(const Picture& bitmap, ImageRecord& record, int) {
    if (!bitmap.isValid()) return false;
    ImageRecord made;
    made.width = bitmap.width;
    made.height = bitmap.height;
    made.bitCount = bitmap.bitsPerPixel == 32 ? 32 : 24;
    if (!AllocateImageRecord(made)) return false;
    for (int y = 0; y < bitmap.height; ++y) {
        uint8_t* dst = made.pixels.data() + made.stride * static_cast<size_t>(y);
        if (made.bitCount == 32) {
            std::memcpy(dst, bitmap.row(y), static_cast<size_t>(bitmap.width) * 4);
        } else {
            pictureRowToBgr(bitmap, y, dst);
        }
    }
    record = std::move(made);
    return true;
}

bool ConvertRecordToGrey(ImageRecord& record) {
    if (!recordIsValid(record)) return false;
    const GreyKernels& kernels = greyKernels();
    void (*row)(uint8_t*, int) = record.bitCount == 32 ? kernels.bgrx32 : kernels.bgr24;
    for (int y = 0; y < record.height; ++y)
        row(record.pixels.data() + record.stride * static_cast<size_t>(y), record.width);
    return true;
}

std::unique_ptr<Picture> CopyRecordToBitmap(const ImageRecord& record) {
    auto picture = std::make_unique<Picture>();
    try {
        if (!recordToPicture(record, *picture)) return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return picture;
}

bool WriteRecordJpeg(const PictureFormats& formats, const std::string& fileName,
                     const ImageRecord& record, int quality) {
    Picture picture;
    try {
        if (!recordToPicture(record, picture)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return formats.writeFile(ImageReader::Jpeg, fileName, picture, quality);
}

void FreeImageRecord(ImageRecord& record) {
    record = ImageRecord();
}
