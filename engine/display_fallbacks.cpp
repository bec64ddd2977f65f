// Weak stand-ins for drawing calls the view change and screenshots use, so the engine
// links while the display layer is still being written. The real definitions override
// them; this file goes away once they are in.
#include "platform/screen.h"
#include "platform/surface.h"

#define VORLEN_WEAK __attribute__((weak))

VORLEN_WEAK int Surface::create(Screen*, int, int, int) {
    return -1;
}
VORLEN_WEAK int Surface::draw(Surface&, int, int, const Rect*) {
    return -1;
}
VORLEN_WEAK int Surface::drawAlpha(Surface&, int, int, const Rect*, int) {
    return -1;
}
VORLEN_WEAK int Surface::fill(uint32_t) {
    return -1;
}
VORLEN_WEAK int Screen::present(int, int, int) {
    return -1;
}
VORLEN_WEAK int Screen::fadeOut(uint16_t) {
    return -1;
}
VORLEN_WEAK int Screen::fadeIn(uint16_t) {
    return -1;
}
VORLEN_WEAK int Screen::createWindowed(int, int) {
    return -1;
}
