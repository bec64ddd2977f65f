#include "engine/shutdown.h"

#include "engine/game_state.h"
#include "engine/transition.h"
#include "platform/text_renderer.h"

void shutdownEngine() {
    GameState& g = game();
    if (g.shutDown) return;
    g.shutDown = true;

    if (g.screen && g.screen->textRenderer())
        g.screen->textRenderer()->unregisterFontFile("pookie.ttf");
    // Music and sounds are stopped by their own layers as they come; the order of the
    // objects below is fixed.
    clearAllOverlays();
    for (SoundSlot& slot : g.soundSlots) slot = SoundSlot();
    g.pointerTransition.reset();
    g.mixer.reset();
    g.consoleImage.reset();
    g.input.reset();
    g.backdrop.reset();
    g.pointerIdle.reset();
    g.pointerForward.reset();
    g.pointerBackward.reset();
    // Everything drawn on the screen goes before it.
    g.pointerLeft.reset();
    g.pointerRight.reset();
    g.interactAnim.reset();
    g.takeAnim.reset();
    g.inventoryAnim.reset();
    g.screen.reset();
}
