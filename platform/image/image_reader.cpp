#include "platform/image/image_reader.h"

// Placeholder until the decoders land.
namespace ImageReader {
int detect(const uint8_t*, size_t) { return Unsupported; }
bool decode(const uint8_t*, size_t, int, Picture&, std::string*) { return false; }
bool readFile(const std::string&, Picture&, int, std::string*) { return false; }
}  // namespace ImageReader

bool builtinPicture(const std::string&, Picture&) { return false; }
