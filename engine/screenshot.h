#pragma once
#include <string>

class Surface;

// Writes the surface as a JPEG file (quality 100); an empty name takes the next
// automatic one, shot0.jpg, shot1.jpg, ... True when the file was written.
bool takeScreenshot(Surface& surface, const std::string& fileName);
