#pragma once
// View changes: the pending effect ("alpha" cross-fade, "black" fade through black, or a
// cut) set by the "trans" command and played by the next view change.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class Screen;
class Surface;

// Speed of the fades to black and back (a view change through black, the ending, the
// scene rebuilt after the save/load page).
constexpr uint16_t kFadeSpeed = 500;

struct Transitions {
    std::string type;  // "transitionType"; empty: a cut
    int32_t step = 0;  // "transitionStep": the cross-fade's level step

    // Plays the pending effect from `outgoing` to the picture `makeIncoming` returns
    // (called when the effect needs it), then clears the pending type ("alpha" and
    // "black" only; any other type stays pending). Without a screen (or, for the
    // cross-fade, an outgoing picture) nothing is shown but the type is still cleared.
    void run(Screen* screen, Surface* outgoing,
             const std::function<std::unique_ptr<Surface>()>& makeIncoming);

private:
    void crossFade(Screen& screen, Surface& outgoing,
                   const std::unique_ptr<Surface>& picture) const;
    static void throughBlack(Screen& screen,
                             const std::function<std::unique_ptr<Surface>()>& makeIncoming);
};
