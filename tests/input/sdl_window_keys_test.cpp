// The SDL event queue as window messages where the display takes part: Alt+Enter switches
// between the window and the whole screen and never reaches the game, and mouse positions
// arrive as picture pixels.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/key_names.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_events.h"

namespace {

struct EventRig {
    VirtualClock clock;
    std::shared_ptr<SdlPendingInput> pending = std::make_shared<SdlPendingInput>();
    std::shared_ptr<SdlDisplayLink> link = std::make_shared<SdlDisplayLink>();
    SdlDisplay* display = nullptr;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<SdlEventSource> events;

    EventRig() {
        EXPECT_TRUE(startSdlEvents());
        auto owned = std::make_unique<SdlDisplay>(link);
        display = owned.get();
        screen = std::make_unique<Screen>(std::move(owned), clock);
        EXPECT_EQ(screen->createWindowed(640, 480), 0);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        events = std::make_unique<SdlEventSource>(pending, link);
    }

    void key(Uint32 type, SDL_Scancode scancode, Uint16 mod, bool repeat = false) {
        SDL_Event e{};
        e.type = type;
        e.key.windowID = display->windowId();
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.scancode = scancode;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    void motion(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = display->windowId();
        e.motion.x = x;
        e.motion.y = y;
        SDL_PushEvent(&e);
    }
    std::vector<WindowEvent> drain() {
        std::vector<WindowEvent> out;
        WindowEvent e;
        while (events->next(e)) out.push_back(e);
        return out;
    }
};

bool hasType(const std::vector<WindowEvent>& events, WindowEvent::Type type) {
    for (const WindowEvent& e : events)
        if (e.type == type) return true;
    return false;
}

TEST(SdlWindowKeys, AltEnterSwitchesTheDisplayAndIsKeptFromTheGame) {
    EventRig rig;
    rig.key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT);
    auto seen = rig.drain();
    EXPECT_FALSE(hasType(seen, WindowEvent::KeyDown));
    EXPECT_FALSE(hasType(seen, WindowEvent::Character));
    EXPECT_FALSE(rig.pending->keys[KeyCode::Enter]);
    EXPECT_TRUE(rig.pending->swallowed[KeyCode::Enter]);
    EXPECT_TRUE(rig.display->showsFullScreen());

    // Held down, the key repeats: still nothing for the game, and no second switch.
    rig.key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT, true);
    EXPECT_FALSE(hasType(rig.drain(), WindowEvent::KeyDown));
    EXPECT_TRUE(rig.display->showsFullScreen());

    // Let go, the key belongs to the game again.
    rig.key(SDL_KEYUP, SDL_SCANCODE_RETURN, KMOD_LALT);
    rig.drain();
    EXPECT_FALSE(rig.pending->swallowed[KeyCode::Enter]);

    // The keypad's Enter with the right Alt switches back.
    rig.key(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, KMOD_RALT);
    EXPECT_TRUE(rig.drain().empty());
    EXPECT_FALSE(rig.display->showsFullScreen());
    rig.key(SDL_KEYUP, SDL_SCANCODE_KP_ENTER, KMOD_NONE);
    rig.drain();
}

TEST(SdlWindowKeys, EnterAloneOrWithOtherModifiersReachesTheGame) {
    EventRig rig;
    rig.key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_NONE);
    auto seen = rig.drain();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, WindowEvent::KeyDown);
    EXPECT_EQ(seen[0].value, KeyCode::Enter);
    EXPECT_EQ(seen[1].type, WindowEvent::Character);
    EXPECT_EQ(seen[1].value, 13);
    EXPECT_TRUE(rig.pending->keys[KeyCode::Enter]);
    // Ctrl+Alt+Enter (AltGr on some layouts) and Alt with another key are ordinary keys.
    rig.key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT | KMOD_LCTRL);
    rig.key(SDL_KEYDOWN, SDL_SCANCODE_A, KMOD_LALT);
    seen = rig.drain();
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_FALSE(rig.display->showsFullScreen());
    EXPECT_FALSE(rig.pending->swallowed[KeyCode::Enter]);
}

TEST(SdlWindowKeys, MousePositionsArriveAsPicturePixels) {
    EventRig rig;
    SDL_SetWindowSize(rig.display->window(), 1280, 960);
    SDL_PumpEvents();
    rig.drain();
    rig.motion(501, 361);
    rig.motion(-4, 2000);  // a captured pointer outside the window
    auto seen = rig.drain();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, WindowEvent::MouseMove);
    EXPECT_EQ(seen[0].x, 250);
    EXPECT_EQ(seen[0].y, 180);
    EXPECT_EQ(seen[1].x, 0);
    EXPECT_EQ(seen[1].y, 479);

    // Without a display the window's own positions pass through.
    SdlEventSource plain(rig.pending);
    rig.motion(501, 361);
    WindowEvent e;
    ASSERT_TRUE(plain.next(e));
    EXPECT_EQ(e.x, 501);
    EXPECT_EQ(e.y, 361);
}

}  // namespace
