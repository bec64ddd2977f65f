#pragma once
// One line of text with the surface's font. The font keeps the lines it rendered
// last, so rows drawn every frame are not rendered from the outlines again.
#include <cstdint>
#include <string>

class Surface;

void drawTextLine(Surface& destination, int x, int y, uint32_t colour, const std::string& text);
