#include "engine/screenshot.h"

#include "engine/console.h"
#include "engine/game_state.h"
#include "platform/image/imagelib.h"
#include "platform/image/picture.h"

bool takeScreenshot(Surface& surface, const std::string& fileName) {
    GameState& g = game();
    std::string name = fileName;
    if (name.empty()) name = "shot" + std::to_string(g.screenshotCounter) + ".jpg";
    g.screenshotCounter = static_cast<int32_t>(static_cast<uint32_t>(g.screenshotCounter) + 1u);
    Picture picture;
    ImageRecord record;
    InitImageRecord(record);
    const PictureFormats* formats = g.screen ? g.screen->pictureFormats() : nullptr;
    bool written = formats && surface.toPicture(picture) &&
                   CopyBitmapToRecord(picture, record, 0) &&
                   WriteRecordJpeg(*formats, name, record, 100);
    FreeImageRecord(record);
    // Only pictures of the screen are reported; saved-game thumbnails stay quiet.
    if (g.screen && &surface == &g.screen->back()) {
        if (written)
            consolePrint("Wrote Screenshot to " + name, kWhite);
        else
            consolePrint("Could not write screenshot " + name, kRed);
    }
    return written;
}
