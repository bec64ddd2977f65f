// The game, full screen, run in the game folder.
#include "engine/sdl_host.h"
#include "platform/jpeg/jpeg_format.h"

int main() {
    return runSdlEngine(false, pictureFormatsWithJpeg());
}
