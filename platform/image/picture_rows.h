#pragma once
// Pixel rows of any Picture as plain B,G,R bytes, for the writers and the image library.
#include <cstdint>

#include "platform/image/picture.h"

// Writes row y (counted from the top) of a valid picture as width B,G,R triples.
// Palette indices past the palette give black.
void pictureRowToBgr(const Picture& picture, int y, uint8_t* dst);
