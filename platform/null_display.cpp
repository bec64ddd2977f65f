#include "platform/null_display.h"

std::vector<DisplayMode> NullDisplay::modes() {
    return {{640, 480, 16}, {640, 480, 15}};
}

int NullDisplay::openFullScreen(int width, int height, int bits) {
    for (const DisplayMode& m : modes())
        if (m.width == width && m.height == height && m.bits == bits) return 0;
    return kDisplayModeNotSet;
}

int NullDisplay::openWindowed(int width, int height) {
    return width > 0 && height > 0 ? 0 : kDisplayModeNotSet;
}

int NullDisplay::show(const Surface&, bool, bool) {
    ++shows_;
    if (onShow_) onShow_();
    return 0;
}
