// Shutdown, run from the window's destroy message: everything released in a fixed order.
#include "engine/engine.h"
#include "engine/game_files.h"
#include "platform/text_renderer.h"

void Engine::shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    GameState& g = state_;

    // Saves still being written finish first; a failure is still named.
    saves_.finishSaves();
    if (TextRenderer* text = host_.services().text)
        text->unregisterFontFile(folder_.path(game_files::kFont));
    // Music, overlays and sounds stop before the mixer they play through goes; the order
    // of the objects below is fixed.
    if (g.music) g.music->stopMusic();
    scene_.clearOverlays();
    if (g.sounds) g.sounds->clear();
    g.sounds.reset();
    g.music.reset();
    g.pointer.transition.reset();
    access_.detachMixer();
    g.mixer.reset();
    g.console.panelImage.reset();
    g.input.reset();
    scene_.setBackdrop(nullptr);
    g.pointer.idle.reset();
    g.pointer.forward.reset();
    g.pointer.backward.reset();
    // Everything drawn on the screen goes before it.
    g.pointer.left.reset();
    g.pointer.right.reset();
    g.pointer.interactAnim.reset();
    g.pointer.takeAnim.reset();
    g.inventory.anim.reset();
    assets_.setScreen(nullptr);
    g.screen.reset();
}
