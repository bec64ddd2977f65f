// The Play and Ending frames.
#include "engine/play_frames.h"

#include "engine/access/accessible_play.h"
#include "engine/assets.h"
#include "engine/game_files.h"
#include "engine/game_state.h"
#include "engine/play_recorder.h"
#include "engine/save_load_page.h"
#include "engine/scene.h"
#include "engine/screenshots.h"
#include "platform/key_names.h"
#include "script/interpreter.h"

PlayFrames::PlayFrames(GameState& state, Scene& scene, Assets& assets, Interpreter& interpreter,
                       AccessiblePlay& access, const AccessAction& action, PlayRecorder& recorder,
                       SaveLoadPage& page, Screenshots& screenshots, ConsoleLine consoleLine)
    : state_(state),
      scene_(scene),
      assets_(assets),
      interpreter_(interpreter),
      access_(access),
      action_(action),
      recorder_(recorder),
      page_(page),
      screenshots_(screenshots),
      consoleLine_(std::move(consoleLine)) {}

bool PlayFrames::pressed(int code) const {
    const GameState& g = state_;
    return g.input && g.input->keyState(code) == InputDevice::Pressed;
}

void PlayFrames::clickHotspot(int x, int y) {
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

int PlayFrames::publishCursorVariables(int x, int y) {
    GameState& g = state_;
    const View* view = scene_.view();
    int index = view ? view->hotspotAt(x, y) : -1;
    const int32_t kind = index >= 0 ? view->hotspotCursor(index) : -1;
    g.variables["cursor"] = kind;
    g.variables["cursorinv"] = g.inventory.held();
    return kind;
}

void PlayFrames::pointerPosition(int& x, int& y) const {
    const GameState& g = state_;
    if (g.windowed || !g.input) {
        x = g.realMouseX;
        y = g.realMouseY;
    } else {
        g.input->pointerPosition(x, y);
    }
}

void PlayFrames::play(int x, int y) {
    GameState& g = state_;
    ++g.framesThisPeriod;
    if (g.frameTimer.elapsed() >= 1000) {
        g.frameTimer.reset();
        g.fps = g.framesThisPeriod;
        g.framesThisPeriod = 0;
    }
    if (pressed(KeyCode::Grave)) g.console.visible = !g.console.visible;
    if (pressed(KeyCode::MouseRight) || action_.cycleInventory) {
        g.inventory.cycle([this] {
            return assets_.sheet(game_files::kHeldKnight.file, game_files::kHeldKnight.settings());
        });
    }
    if (pressed(KeyCode::MouseLeft) || action_.click) clickHotspot(x, y);
    if (g.mode == Ending) return;

    if (!g.screen) return;
    Surface& back = g.screen->back();
    Surface* backdrop = scene_.backdrop();
    if (backdrop && backdrop->valid()) backdrop->draw(back, 0, 0);
    scene_.overlays().updateMovies(back);
    scene_.drawOverlays(back);

    g.pointer.draw(publishCursorVariables(x, y), x, y, back, g.inventory, assets_);
    if (g.console.visible) g.console.runFrame(g.input.get(), &back, consoleLine_);
    if (g.mode == Ending) return;
    if (g.debugMode) scene_.drawDebugOverlay(x, y, debugFigures(g));
    access_.drawHighlight(g, back);
    frameKeys(back);
    g.screen->present(Present::Wait | Present::Whole);
}

void PlayFrames::frameKeys(Surface& back) {
    GameState& g = state_;
    if (pressed(KeyCode::F9)) screenshots_.take(back, "");
    if (pressed(KeyCode::F10)) recorder_.toggle(back);
    if (pressed(KeyCode::F5)) {
        g.mode = SaveScreen;
        page_.show();
    }
    if (pressed(KeyCode::F6)) {
        g.mode = LoadScreen;
        page_.show();
    }
}

void PlayFrames::ending() {
    GameState& g = state_;
    if (!g.screen) return;
    Surface* backdrop = scene_.backdrop();
    if (backdrop && backdrop->valid()) backdrop->draw(g.screen->back(), 0, 0);
    g.screen->present(Present::Wait | Present::Whole);
}
