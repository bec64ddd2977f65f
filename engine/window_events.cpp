// The window procedure: what the engine does with each message of the main window.
#include "engine/engine.h"
#include "platform/event_source.h"
#include "platform/surface_image_library.h"

void Engine::handleWindowEvent(const WindowEvent& event) {
    GameState& g = state_;
    switch (event.type) {
        case WindowEvent::Quit:
            break;
        case WindowEvent::Close:
            // Closing destroys the window: quit, then release everything.
            if (g.events) g.events->postQuit(0);
            shutdown();
            break;
        case WindowEvent::Activate:
            // The windowed build keeps running while another window has the focus.
            g.appActive = g.windowed ? 1 : event.value;
            break;
        case WindowEvent::KeyDown:
            if (g.mode == Ending) {
                if (g.events) g.events->post({WindowEvent::Close});
            }
            if (event.value == 27 && g.mode == Play) scene_.showEnding();
            break;
        case WindowEvent::Character:
            if (g.mode == Play && g.console.visible)
                g.console.typedChar = static_cast<uint8_t>(event.value);
            break;
        case WindowEvent::MouseMove:
            g.realMouseX = static_cast<uint16_t>(event.x);
            g.realMouseY = static_cast<uint16_t>(event.y);
            break;
        case WindowEvent::Moving:
            if (g.screen) g.screen->present(Present::NoWait | Present::Whole);
            break;
        case WindowEvent::EnterMove:
            // The picture goes grey while the window is moved or resized.
            if (g.screen) greySnapshot(g.screen->back());
            break;
        case WindowEvent::ExitMove:
            g.console.print("Window Moved", kWhite);
            break;
        case WindowEvent::Music:
            if (g.music) g.music->handleEvents();
            break;
    }
}
