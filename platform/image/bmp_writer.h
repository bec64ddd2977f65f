#pragma once
// Writes pictures as 24-bit uncompressed bottom-up Windows bitmaps.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image/picture.h"

// The file bytes of the picture; false when the picture is not valid.
bool encodeBmp24(const Picture& picture, std::vector<uint8_t>& out);
// Writes (replacing) the file; false when it could not be written, leaving no
// partial file behind.
bool writeBmp24(const std::string& path, const Picture& picture);
