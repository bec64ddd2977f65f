#include "media/overlay_image.h"

bool OverlayImage::load(Screen* screen, const std::string& path, int x, int y, bool transparent,
                        int depth) {
    x_ = x;
    y_ = y;
    transparent_ = transparent;
    depth_ = depth;
    if (surface_.loadImage(screen, path, kPlacementAny) != 1 || !surface_.valid()) return false;
    if (transparent_) surface_.setColourKeyFromTopLeft();
    return true;
}

void OverlayImage::draw(Surface& destination) {
    if (!surface_.valid()) return;
    if (transparent_) {
        surface_.drawKeyed(destination, x_, y_);
    } else {
        surface_.draw(destination, x_, y_);
    }
}
