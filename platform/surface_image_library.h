#pragma once
// A surface's picture through the image library: written as a JPEG file, or turned grey.
#include <string>

class PictureFormats;
class Surface;

// Writes the surface's picture as a JPEG file (quality 100), replacing the file only once
// it is complete; grey first when asked. False when it could not be written.
bool writeSurfaceJpeg(const PictureFormats& formats, const Surface& surface,
                      const std::string& path, bool grey);
// Turns the surface's picture grey in place ("greySnapshot").
void greySnapshot(Surface& surface);
