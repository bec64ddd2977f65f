#pragma once
// JPEG encoding of pictures through libjpeg.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image/picture.h"

// The JFIF file bytes of the picture at quality 1..100 (clamped); false when the
// picture is not valid or the encoder fails.
bool encodeJpeg(const Picture& picture, int quality, std::vector<uint8_t>& out);
// Writes (replacing) the file; on failure no partial file is left behind.
bool writeJpeg(const std::string& path, const Picture& picture, int quality);
