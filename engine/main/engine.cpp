// The game, full screen, run in the game folder.
#include "engine/main/sdl_engine.h"
#include "engine/main/standard_services.h"

int main() {
    StandardServices standard;
    return runSdlEngine(false, standard.services());
}
