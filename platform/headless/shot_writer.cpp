#include "platform/headless/shot_writer.h"

#include "platform/image/bmp_writer.h"
#include "platform/image/picture.h"
#include "platform/surface.h"

bool writeShot(const Surface& surface, const std::string& path, std::string& error) {
    Picture picture;
    if (!surface.valid() || !surface.toPicture(picture)) {
        error = "no picture";
        return false;
    }
    if (!writeBmp24(path, picture)) {
        error = "cannot write the file";
        return false;
    }
    return true;
}
