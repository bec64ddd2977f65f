// The main loop: messages drained before every frame, then one frame of the mode.
#include "engine/engine.h"
#include "engine/game_files.h"
#include "engine/message_pump.h"
#include "platform/key_names.h"

bool Engine::pressed(int code) const {
    const GameState& g = state_;
    return g.input && g.input->keyState(code) == InputDevice::Pressed;
}

void Engine::clickHotspot(int x, int y) {
    GameState& g = state_;
    View* view = scene_.view();
    if (!view) return;
    int index = view->hotspotAt(x, y);
    if (index < 0) return;
    // A held item is used only on hotspots of the take kind.
    if (g.inventory.selection != -1 && view->hotspotCursor(index) != Take) return;
    Script script = view->hotspotClickScript(index);
    if (!script.empty()) interpreter_.runScript(script, 0, false);
}

int Engine::publishCursorVariables(int x, int y) {
    GameState& g = state_;
    const View* view = scene_.view();
    int index = view ? view->hotspotAt(x, y) : -1;
    const int32_t kind = index >= 0 ? view->hotspotCursor(index) : -1;
    g.variables["cursor"] = kind;
    g.variables["cursorinv"] = g.inventory.held();
    return kind;
}

void Engine::framePointerPosition(int& x, int& y) {
    GameState& g = state_;
    if (g.windowed || !g.input) {
        x = g.realMouseX;
        y = g.realMouseY;
    } else {
        g.input->pointerPosition(x, y);
    }
}

PumpedMessage pumpOneMessage(EventSource* events, Engine& engine, int& exitCode) {
    WindowEvent event;
    if (!events || !events->next(event)) return PumpedMessage::None;
    if (event.type == WindowEvent::Quit) {
        exitCode = event.value;
        return PumpedMessage::Quit;
    }
    engine.handleWindowEvent(event);
    return PumpedMessage::Handled;
}

bool Engine::pumpMessages(int& exitCode) {
    for (;;) {
        switch (pumpOneMessage(state_.events.get(), *this, exitCode)) {
            case PumpedMessage::Quit:
                return true;
            case PumpedMessage::None:
                return false;
            case PumpedMessage::Handled:
                break;
        }
    }
}

void Engine::playFrame(int x, int y) {
    GameState& g = state_;
    ++g.framesThisPeriod;
    if (g.frameTimer.elapsed() >= 1000) {
        g.frameTimer.reset();
        g.fps = g.framesThisPeriod;
        g.framesThisPeriod = 0;
    }
    if (pressed(KeyCode::Grave)) g.console.visible = !g.console.visible;
    if (pressed(KeyCode::MouseRight) || accessAction_.cycleInventory) {
        g.inventory.cycle([this] {
            return assets_.sheet(game_files::kHeldKnight.file, game_files::kHeldKnight.settings());
        });
    }
    if (pressed(KeyCode::MouseLeft) || accessAction_.click) clickHotspot(x, y);
    if (g.mode == Ending) return;

    if (!g.screen) return;
    Surface& back = g.screen->back();
    Surface* backdrop = scene_.backdrop();
    if (backdrop && backdrop->valid()) backdrop->draw(back, 0, 0);
    scene_.overlays().updateMovies(back);
    scene_.drawOverlays(back);

    g.pointer.draw(publishCursorVariables(x, y), x, y, back, g.inventory, assets_);
    if (g.console.visible) {
        g.console.runFrame(g.input.get(), &back,
                           [this](const std::string& line) { runConsoleLine(line); });
    }
    if (g.mode == Ending) return;
    if (g.debugMode) scene_.drawDebugOverlay(x, y, debugFigures(g));
    access_.drawHighlight(g, back);

    if (pressed(KeyCode::F9)) screenshots_.take(back, "");
    if (pressed(KeyCode::F10)) playRecorder_.toggle(back);
    if (pressed(KeyCode::F5)) {
        g.mode = SaveScreen;
        showSaveLoadScreen();
    }
    if (pressed(KeyCode::F6)) {
        g.mode = LoadScreen;
        showSaveLoadScreen();
    }
    g.screen->present(Present::Wait | Present::Whole);
}

void Engine::endingFrame() {
    GameState& g = state_;
    if (!g.screen) return;
    Surface* backdrop = scene_.backdrop();
    if (backdrop && backdrop->valid()) backdrop->draw(g.screen->back(), 0, 0);
    g.screen->present(Present::Wait | Present::Whole);
}

bool Engine::runLoopPass(int& exitCode) {
    GameState& g = state_;
    if (pumpMessages(exitCode)) return true;
    if (g.appActive == 0) {
        if (g.events) g.events->wait();
        return false;
    }
    if (g.input) g.input->poll();
    if (liveReload_) liveReload_->poll();
    accessAction_ = access_.beforeFrame(g, host_.clock().nowNanos() / 1000000);
    if (accessAction_.move) {
        // Exactly where a mouse move would leave the pointer.
        g.realMouseX = static_cast<uint16_t>(accessAction_.x);
        g.realMouseY = static_cast<uint16_t>(accessAction_.y);
        if (g.input) g.input->setPointerPosition(accessAction_.x, accessAction_.y);
    }
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

int runMainLoop(Engine& engine) {
    int exitCode = 0;
    while (!engine.runLoopPass(exitCode)) {
    }
    return exitCode;
}
