#include "engine/startup.h"

#include "engine/console.h"
#include "engine/engine.h"
#include "engine/game_state.h"
#include "engine/window_events.h"
#include "platform/font.h"
#include "script/interpreter.h"

namespace {

constexpr const char* kTitleMovie = "nivoktit.mpg";
constexpr const char* kFontFile = "pookie.ttf";

// A picture that cannot be loaded leaves an empty surface, which every drawing step
// skips. A missing file may still be stood in for by a built-in picture; the author is
// told either way.
std::unique_ptr<Surface> loadKeyedPicture(const std::string& file) {
    GameState& g = game();
    auto surface = std::make_unique<Surface>();
    bool present = fileExists(file);
    if (surface->loadImage(g.screen.get(), file, kPlacementAny) == 1 && surface->valid()) {
        surface->setColourKeyFromTopLeft();
        if (!present) consolePrint("Cannot find " + file + ", using the built-in picture", kRed);
    } else {
        reportCouldNotLoad(file);
    }
    return surface;
}

std::unique_ptr<FrameAnimation> loadPointerAnimation(const std::string& file, uint16_t delay) {
    auto anim = std::make_unique<FrameAnimation>();
    if (anim->load(game().screen.get(), file, 64, 64, 6, delay, 1, 0, 1, kPlacementAny) != 1) {
        reportCouldNotLoad(file);
    }
    return anim;
}

bool createDisplay(EngineHost& host) {
    GameState& g = game();
    g.screen = std::make_unique<Screen>(host.createDisplay());
    if (host.windowed()) {
        if (g.screen->createWindowed(640, 480) != 0) {
            reportError(g.screen.get(), "could not set video mode 640x480 windowed");
            g.screen.reset();
        }
        return true;
    }
    int bits = g.screen->hasMode(640, 480, 16) ? 16 : 15;
    if (g.screen->createFullScreen(640, 480, bits, 0) != 0) {
        reportError(g.screen.get(), "could not set video mode 640x480x%d", bits);
        // Without a display mode nothing can be drawn; the quit request ends the run.
        g.screen.reset();
    }
    return true;
}

bool setUpWindow(EngineHost& host) {
    GameState& g = game();
    if (!host.createWindow()) {
        reportError(nullptr, "could not create the main window");
        return false;
    }
    g.windowHandle = host.windowHandle();
    createDisplay(host);
    host.afterScreenCreated();

    g.input = std::make_unique<InputDevice>();
    if (g.input->create(host.createInput()) != 0) {
        reportError(g.screen.get(), "Could not create InputDevice object!");
    }
    g.mixer = std::make_unique<Mixer>();
    g.mixer->create(host.createAudioOutput());
    for (SoundSlot& slot : g.soundSlots) slot = SoundSlot();
    bool fontRegistered = registerFontFile(kFontFile);

    consolePrint("VORLEN", kWhite);
    consolePrint("By Nivok", kWhite);
    // Told after the title lines, which always open the log; text falls back to the
    // default face.
    if (!fontRegistered) reportCouldNotLoad(kFontFile);
    g.inventoryItems["inv_horse"] = 1;
    return true;
}

}  // namespace

bool startEngine(EngineHost& host, int& exitCode) {
    GameState& g = game();
    g.windowed = host.windowed();

    if (!setUpWindow(host)) reportError(nullptr, "could not initialize application");

    g.interactAnim = loadPointerAnimation("interact.bmp", 25);
    g.takeAnim = loadPointerAnimation("take.bmp", 50);
    g.frameTimer.start();

    g.backdrop = std::make_unique<Surface>();
    g.consoleImage = loadKeyedPicture("console.bmp");
    g.pointerIdle = loadKeyedPicture("pointidle.bmp");
    g.pointerForward = loadKeyedPicture("pointforward.bmp");
    g.pointerBackward = loadKeyedPicture("pointbackward.bmp");
    g.pointerLeft = loadKeyedPicture("pointleft.bmp");
    g.pointerRight = loadKeyedPicture("pointright.bmp");

    if (!g.windowed && g.input) g.input->setPointerLimits(1, 1, 590, 430);

    // One message, so a fatal error reported above ends the run before the movie.
    WindowEvent event;
    if (g.events && g.events->next(event)) {
        if (event.type == WindowEvent::Quit) {
            exitCode = event.value;
            return true;
        }
        handleWindowEvent(event);
    }

    if (fileExists(kTitleMovie)) {
        consolePrint(std::string("Playing movie: ") + kTitleMovie, kWhite);
    } else {
        consolePrint(std::string("Error in Cmd: playmovie ") + kTitleMovie, kRed);
        consolePrint("Cannot find file", kRed);
    }

    g.currentView = std::make_unique<View>();
    std::string error;
    g.currentView->load("init.scn", error);
    if (!error.empty()) consolePrint(error, kRed);
    std::string base = g.currentView->baseImage();
    if (g.backdrop && g.backdrop->loadImage(g.screen.get(), base, kPlacementAny) != 1 &&
        !base.empty()) {
        reportCouldNotLoad(base);
    }
    runScript(g.currentView->onLoadScript(), 0, false);
    return false;
}
