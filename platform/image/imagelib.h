#pragma once
// The image library: picture files into bitmaps, bitmaps into image records, grey
// conversion and JPEG writing. A bitmap here is a decoded Picture. The calls that read
// or write files take the program's table of picture formats (JPEG comes from a codec
// library the program adds to it).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/image/picture.h"
#include "platform/image/picture_formats.h"

struct ImageRecord {
    int width = 0;
    int height = 0;
    int bitCount = 0;  // 24 (B,G,R) or 32 (B,G,R,X)
    size_t stride = 0;
    std::vector<uint8_t> pixels;  // top-down rows
};

// The file's picture at its own size, or null.
std::unique_ptr<Picture> LoadBitmapFile(const PictureFormats& formats, const std::string& fileName,
                                        int, int);
void InitImageRecord(ImageRecord& record);
// Needs width, height and bitCount set; false when they are unusable.
bool AllocateImageRecord(ImageRecord& record);
bool CopyBitmapToRecord(const Picture& bitmap, ImageRecord& record, int);
// Grey in place; the size is kept.
bool ConvertRecordToGrey(ImageRecord& record);
std::unique_ptr<Picture> CopyRecordToBitmap(const ImageRecord& record);
// Writes (replacing) a JPEG file; false when it could not be written (or the table
// has no JPEG writer), in which case no partial file is left behind.
bool WriteRecordJpeg(const PictureFormats& formats, const std::string& fileName,
                     const ImageRecord& record, int quality);
void FreeImageRecord(ImageRecord& record);
