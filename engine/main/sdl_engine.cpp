#include "engine/main/sdl_engine.h"

#include "engine/engine.h"
#include "platform/sdl/sdl_host.h"

int runSdlEngine(bool windowed, const ProgramServices& services) {
    SdlHost host(windowed, services);
    Engine engine(host);
    int exitCode = 0;
    if (!engine.start(exitCode)) exitCode = runMainLoop(engine);
    // The loop ends on the quit message, normally after the destroy message ran the
    // shutdown; a quit from a fatal error still releases everything.
    engine.shutdown();
    return exitCode;
}
