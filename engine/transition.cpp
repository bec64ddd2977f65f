#include "engine/transition.h"

#include "platform/screen.h"

void Transitions::run(Screen* screen, Surface* outgoing,
                      const std::function<std::unique_ptr<Surface>()>& makeIncoming) {
    if (type == "alpha") {
        if (screen && outgoing) crossFade(*screen, *outgoing, makeIncoming());
        type.clear();
    } else if (type == "black") {
        if (screen) throughBlack(*screen, makeIncoming);
        type.clear();
    }
}

void Transitions::crossFade(Screen& screen, Surface& outgoing,
                            const std::unique_ptr<Surface>& picture) const {
    // A step of 0 or less would never finish; "trans" never stores one, but saved or
    // hand-set state might.
    int levelStep = step > 0 ? step : 50;
    for (int level = 255; picture && level > 0; level -= levelStep) {
        outgoing.draw(screen.back(), 0, 0);
        picture->drawAlpha(screen.back(), 0, 0, nullptr, level);
        screen.present(Present::NoWait | Present::Whole);
    }
}

void Transitions::throughBlack(Screen& screen,
                               const std::function<std::unique_ptr<Surface>()>& makeIncoming) {
    screen.fadeOut(kFadeSpeed);
    auto picture = makeIncoming();
    screen.back().fill(0);
    screen.present(Present::Wait | Present::Whole);
    if (picture) picture->draw(screen.back(), 0, 0);
    screen.fadeIn(kFadeSpeed);
}
