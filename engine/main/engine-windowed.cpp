// The game in a 640x480 window, run in the game folder.
#include "engine/sdl_host.h"
#include "platform/jpeg/jpeg_format.h"

int main() {
    return runSdlEngine(true, pictureFormatsWithJpeg());
}
