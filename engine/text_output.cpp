#include "engine/text_output.h"

#include "platform/surface.h"

void drawTextLine(Surface& destination, int x, int y, uint32_t colour, const std::string& text) {
    destination.drawText(x, y, colour, text);
}
