#pragma once
// Turns a decoded picture into 32-bit 0xFFRRGGBB pixels that the drawing area can show.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image/picture.h"

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // rows top to bottom
};

// False when the picture's sizes, stride or palette do not match its bytes.
bool pictureToRgb(const Picture& pic, RgbImage& out);

// Reads and decodes a picture file with the project's decoders.
bool loadPictureFile(const std::string& path, RgbImage& out, std::string* error = nullptr);
