// The game in a 640x480 window, run in the game folder.
#include "engine/main/sdl_engine.h"
#include "engine/main/standard_services.h"

int main() {
    StandardServices standard;
    return runSdlEngine(true, standard.services());
}
