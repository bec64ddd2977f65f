// Loading a picture file onto a surface: the picture formats given first, then the
// pictures stored in the program.
#include <cstdio>

#include "platform/image/builtin_pictures.h"
#include "platform/image/picture.h"
#include "platform/image/picture_formats.h"
#include "platform/screen.h"
#include "platform/surface.h"

int Surface::loadImage(const PictureFormats* formats, const PixelFormat& format,
                       const std::string& name, int placement) {
    if (name.empty()) return -1;
    Picture picture;
    std::string why;
    if (!formats || !formats->readFile(name, picture, 0, &why)) {
        // A file of no known type is a debugging hint for the author, not a message for
        // the player; other failures stay quiet.
        if (why == kUnsupportedPictureType)
            std::fprintf(stderr, "Error: ImageReader - %s\n", kUnsupportedPictureType);
        // Pictures stored in the program stand in for missing game files.
        picture = Picture{};
        if (!builtinPicture(name, picture)) return -2;
        if (picture.width <= 0 || picture.height <= 0) return -3;
    }
    if (fromPicture(picture, format) != 0) return -1;
    screen_ = nullptr;
    serial_ = 0;
    placement_ = placement;
    fileName_ = name.substr(0, 255);
    return 1;
}

int Surface::loadImage(Screen* screen, const std::string& name, int placement) {
    const PixelFormat format = screen ? screen->format() : PixelFormat::ofType(16);
    const int result =
        loadImage(screen ? screen->pictureFormats() : nullptr, format, name, placement);
    if (result == 1) {
        screen_ = screen;
        serial_ = screen ? screen->nextSerial() : 0;
    }
    return result;
}
