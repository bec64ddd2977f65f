// The game, full screen, run in the game folder.
#include "engine/main/standard_services.h"
#include "engine/sdl_host.h"

int main() {
    StandardServices standard;
    return runSdlEngine(false, standard.services());
}
