#include "engine/screenshots.h"

#include "engine/program_services.h"
#include "platform/game_folder.h"
#include "platform/message_sink.h"
#include "platform/screen.h"
#include "platform/surface_image_library.h"

bool Screenshots::take(Surface& surface, const std::string& fileName) {
    std::string name = fileName;
    if (name.empty()) name = "shot" + std::to_string(counter_) + ".jpg";
    counter_ = static_cast<int32_t>(static_cast<uint32_t>(counter_) + 1u);
    const PictureFormats* formats = services_.pictures;
    bool written = formats && writeSurfaceJpeg(*formats, surface, folder_.path(name), false);
    // Only pictures of the screen are reported; saved-game thumbnails stay quiet.
    if (screen_ && &surface == &screen_->back()) {
        if (written)
            output_.print("Wrote Screenshot to " + name, kWhite);
        else
            output_.print("Could not write screenshot " + name, kRed);
    }
    return written;
}
