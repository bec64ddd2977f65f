// Weak stand-ins for the display calls the main loop, pointer, console and frame
// animations make, so the programs link while the display layer is being written. The
// real definitions override them; this file goes away once they are in.
#include <cstdarg>
#include <cstdio>

#include "platform/screen.h"
#include "platform/surface.h"

#define VORLEN_WEAK __attribute__((weak))

namespace {
ErrorReporter* standInReporter = nullptr;
}

VORLEN_WEAK uint32_t PixelFormat::map(uint8_t, uint8_t, uint8_t) const {
    return 0;
}
VORLEN_WEAK bool Screen::hasMode(int, int, int) const {
    return true;
}
VORLEN_WEAK int Screen::createFullScreen(int, int, int, int) {
    return 0;
}
VORLEN_WEAK int Screen::createWindowed(int, int) {
    return 0;
}
VORLEN_WEAK int Surface::drawKeyed(Surface&, int, int, const Rect*) {
    return -1;
}
VORLEN_WEAK int Surface::drawHalf(Surface&, int, int, const Rect*) {
    return -1;
}
VORLEN_WEAK int Surface::drawKeyedHalf(Surface&, int, int, const Rect*) {
    return -1;
}
VORLEN_WEAK int Surface::drawKeyedAlpha(Surface&, int, int, const Rect*, int) {
    return -1;
}
VORLEN_WEAK int Surface::fromPicture(const Picture&, const PixelFormat&) {
    return -1;
}
VORLEN_WEAK int Surface::loadImage(Screen*, const std::string&, int) {
    return -1;
}
VORLEN_WEAK int Surface::setColourKeyFromTopLeft() {
    return -1;
}
VORLEN_WEAK int Surface::getDC() {
    return -1;
}
VORLEN_WEAK int Surface::releaseDC() {
    return -1;
}
VORLEN_WEAK int Surface::drawText(int, int, uint32_t, const std::string&) {
    return -1;
}
VORLEN_WEAK void Surface::line(int, int, int, int, uint32_t) {}
VORLEN_WEAK void Surface::putPixel(int, int, uint32_t) {}
VORLEN_WEAK uint32_t Surface::getPixel(int, int) const {
    return 0;
}

VORLEN_WEAK void installErrorReporter(ErrorReporter* reporter) {
    standInReporter = reporter;
}

VORLEN_WEAK void reportError(Screen*, const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (standInReporter) {
        standInReporter->showError("Error", text);
        standInReporter->requestQuit(0);
    } else {
        std::fprintf(stderr, "Error: %s\n", text);
    }
}
