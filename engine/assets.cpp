#include "engine/assets.h"

#include "platform/image/imagelib.h"
#include "platform/screen.h"

void Assets::reportCouldNotLoad(const std::string& file) {
    if (reported_.insert(file).second) output_.print("Could not load " + file, kRed);
}

void Assets::reportMissingFace(const std::string& face) {
    if (reportedFaces_.insert(face).second)
        output_.print("Font face " + face + " is not available, using the default face", kRed);
}

std::unique_ptr<Surface> Assets::keyedPicture(const std::string& file) {
    auto surface = std::make_unique<Surface>();
    bool present = folder_.exists(file);
    if (surface->loadImage(screen_, folder_.path(file), kPlacementAny) == 1 && surface->valid()) {
        surface->setColourKeyFromTopLeft();
        if (!present) output_.print("Cannot find " + file + ", using the built-in picture", kRed);
    } else {
        reportCouldNotLoad(file);
    }
    return surface;
}

std::unique_ptr<FrameAnimation> Assets::sheet(const std::string& file,
                                              const AnimationSettings& settings) {
    auto anim = std::make_unique<FrameAnimation>();
    if (anim->load(screen_, folder_.path(file), settings) != 1) {
        reportCouldNotLoad(file);
    }
    return anim;
}

int Assets::loadPicture(Surface& surface, const std::string& file) {
    int result = surface.loadImage(screen_, folder_.path(file), kPlacementAny);
    if (result != 1 && !file.empty()) reportCouldNotLoad(file);
    return result;
}

bool Assets::drawPictureInto(const std::string& file, Surface& surface) const {
    if (!pictures_) return false;
    std::unique_ptr<Picture> bitmap = LoadBitmapFile(*pictures_, folder_.path(file), 0, 0);
    if (!bitmap || !surface.valid()) return false;
    Surface picture;
    if (picture.fromPicture(*bitmap, surface.format()) < 0 || !picture.valid()) return false;
    Rect whole{0, 0, surface.width(), surface.height()};
    if (whole.right > picture.width()) whole.right = picture.width();
    if (whole.bottom > picture.height()) whole.bottom = picture.height();
    picture.draw(surface, 0, 0, &whole);
    return true;
}
