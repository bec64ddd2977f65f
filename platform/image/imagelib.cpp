#include "platform/image/imagelib.h"

// Placeholder until the image library lands.
std::unique_ptr<Picture> LoadBitmapFile(const std::string&, int, int) { return nullptr; }
void InitImageRecord(ImageRecord& record) { record = ImageRecord(); }
bool AllocateImageRecord(ImageRecord&) { return false; }
bool CopyBitmapToRecord(const Picture&, ImageRecord&, int) { return false; }
bool ConvertRecordToGrey(ImageRecord&) { return false; }
std::unique_ptr<Picture> CopyRecordToBitmap(const ImageRecord&) { return nullptr; }
bool WriteRecordJpeg(const std::string&, const ImageRecord&, int) { return false; }
void FreeImageRecord(ImageRecord& record) { record = ImageRecord(); }
