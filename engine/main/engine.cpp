// The game, full screen, run in the game folder.
#include "engine/sdl_host.h"

int main() {
    return runSdlEngine(false);
}
