#include "engine/main_loop.h"

#include "engine/console.h"
#include "engine/debug_overlay.h"
#include "engine/game_state.h"
#include "engine/pointer.h"
#include "engine/screenshot.h"
#include "engine/transition.h"
#include "engine/window_events.h"
#include "game/inventory.h"
#include "platform/key_names.h"
#include "script/interpreter.h"

namespace {

bool pressed(int code) {
    GameState& g = game();
    return g.input && g.input->keyState(code) == InputDevice::Pressed;
}

void countFrame() {
    GameState& g = game();
    ++g.framesThisPeriod;
    if (g.frameTimer.elapsed() >= 1000) {
        g.frameTimer.reset();
        g.fps = g.framesThisPeriod;
        g.framesThisPeriod = 0;
    }
}

void present() {
    GameState& g = game();
    if (g.screen) g.screen->present(Present::Wait | Present::Whole);
}

void clickHotspot(int x, int y) {
    GameState& g = game();
    if (!g.currentView) return;
    int index = g.currentView->hotspotAt(x, y);
    if (index < 0) return;
    // A held item is used only on hotspots of the take kind.
    if (g.inventorySelection != -1 && g.currentView->hotspotCursor(index) != 7) return;
    Script script = g.currentView->hotspotClickScript(index);
    if (!script.empty()) runScript(script, 0, false);
}

void publishCursorVariables(int x, int y) {
    GameState& g = game();
    int index = g.currentView ? g.currentView->hotspotAt(x, y) : -1;
    g.variables["cursor"] = index >= 0 ? g.currentView->hotspotCursor(index) : -1;
    int held = -1;
    if (!g.inventory.empty() && g.inventorySelection >= 0 &&
        static_cast<size_t>(g.inventorySelection) < g.inventory.size()) {
        held = g.inventory[static_cast<size_t>(g.inventorySelection)];
    }
    g.variables["cursorinv"] = held;
}

}  // namespace

void framePointerPosition(int& x, int& y) {
    GameState& g = game();
    if (g.windowed || !g.input) {
        x = g.realMouseX;
        y = g.realMouseY;
    } else {
        g.input->pointerPosition(x, y);
    }
}

bool pumpMessages(int& exitCode) {
    GameState& g = game();
    if (!g.events) return false;
    WindowEvent event;
    while (g.events && g.events->next(event)) {
        if (event.type == WindowEvent::Quit) {
            exitCode = event.value;
            return true;
        }
        handleWindowEvent(event);
    }
    return false;
}

void playFrame(int x, int y) {
    GameState& g = game();
    countFrame();
    if (pressed(KeyCode::Grave)) g.consoleVisible = !g.consoleVisible;
    if (pressed(KeyCode::MouseRight)) cycleInventory();
    if (pressed(KeyCode::MouseLeft)) clickHotspot(x, y);
    if (g.mode == Ending) return;

    if (!g.screen) return;
    Surface& back = g.screen->back();
    if (g.backdrop && g.backdrop->valid()) g.backdrop->draw(back, 0, 0);
    drawOverlaysOnto(back);

    publishCursorVariables(x, y);
    drawPointer(g.variables["cursor"], x, y);
    if (g.consoleVisible) runConsole();
    if (g.mode == Ending || !g.screen) return;
    if (g.debugMode) drawDebugOverlay(x, y);

    if (pressed(KeyCode::F9)) takeScreenshot(g.screen->back(), "");
    // F5 and F6 open the save and load pages once those exist; entering their modes
    // without a page to leave by would strand the player.
    present();
}

void endingFrame() {
    GameState& g = game();
    if (!g.screen) return;
    if (g.backdrop && g.backdrop->valid()) g.backdrop->draw(g.screen->back(), 0, 0);
    present();
}

void saveLoadFrame(int x, int y) {
    GameState& g = game();
    if (!g.screen) return;
    Surface& back = g.screen->back();
    if (g.backdrop && g.backdrop->valid()) g.backdrop->draw(back, 0, 0);
    // The page's areas come with the save/load screen; until then nothing is active.
    g.pointerShape = 1;
    if (g.pointerShape == 1) {
        if (g.pointerIdle && g.pointerIdle->valid()) g.pointerIdle->drawKeyed(back, x, y);
    } else if (g.interactAnim) {
        g.interactAnim->draw(x, y, back, DrawMode::Keyed);
    }
    present();
}

bool runLoopPass(int& exitCode) {
    GameState& g = game();
    if (pumpMessages(exitCode)) return true;
    if (g.appActive == 0) {
        if (g.events) g.events->wait();
        return false;
    }
    if (g.input) g.input->poll();
    int x = 0, y = 0;
    framePointerPosition(x, y);
    switch (g.mode) {
        case Play:
            playFrame(x, y);
            break;
        case Ending:
            endingFrame();
            break;
        case SaveScreen:
        case LoadScreen:
            saveLoadFrame(x, y);
            break;
        default:
            break;
    }
    return false;
}

int runMainLoop() {
    int exitCode = 0;
    while (!runLoopPass(exitCode)) {
    }
    return exitCode;
}
