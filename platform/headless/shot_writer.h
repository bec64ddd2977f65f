#pragma once
// The headless runner's `shot`: a surface written as an uncompressed 24-bit BMP file.
#include <string>

class Surface;

bool writeShot(const Surface& surface, const std::string& path, std::string& error);
