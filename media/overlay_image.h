#pragma once
// A still picture a script places over the view: drawn at its own position, colour-keyed
// on its top-left pixel when transparent, and ordered among the others by its depth.
#include <string>

#include "platform/surface.h"

class Screen;

class OverlayImage {
public:
    explicit OverlayImage(std::string name) : name_(std::move(name)) {}

    // Stores the placement and loads the picture; with `transparent`, the colour key
    // comes from its top-left pixel. False when the picture could not be loaded: the
    // image then draws nothing.
    bool load(Screen* screen, const std::string& path, int x, int y, bool transparent, int depth);
    // Colour-keyed copy at (x, y) when transparent, plain copy otherwise.
    void draw(Surface& destination);

    const std::string& getName() const { return name_; }
    int getDepth() const { return depth_; }
    int x() const { return x_; }
    int y() const { return y_; }

private:
    Surface surface_;
    int x_ = 0, y_ = 0;
    bool transparent_ = false;
    int depth_ = 0;
    std::string name_;
};
