#pragma once
// The SDL event queue as the main window's messages, and the SDL side of the error
// box and the main window.
#include <deque>
#include <memory>

#include "platform/error_reporter.h"
#include "platform/event_source.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_input.h"

struct SDL_Window;

class SdlEventSource : public EventSource {
public:
    // With a display link, mouse positions arrive as picture pixels whatever the window's
    // size, and Alt+Enter switches the display between the window and the whole screen
    // (the game never sees that key press).
    explicit SdlEventSource(std::shared_ptr<SdlPendingInput> pending,
                            std::shared_ptr<SdlDisplayLink> display = nullptr);
    // Pushes the engine's user event; SDL's queue takes it from any thread.
    void postMusicEvent() override;
    // Pumps the window system's messages into SDL's queue, where they wait.
    void keepAlive() override;

protected:
    bool fetch(WindowEvent& event) override;
    void waitForEvent() override;

private:
    // Turns one SDL event into window messages; false when it means nothing here.
    void translate(const void* sdlEvent);
    // True when the key press was the full-screen switch, which goes no further.
    bool switchesFullScreen(const void* sdlKeyEvent);

    std::shared_ptr<SdlPendingInput> pending_;
    std::shared_ptr<SdlDisplayLink> display_;
    std::deque<WindowEvent> ready_;
};

// The engine's private application message (music events).
uint32_t engineUserEventType();

// Message boxes through SDL (standard error when there is no display); the quit request
// goes to the engine's message queue.
class SdlEngineErrorReporter : public ErrorReporter {
public:
    explicit SdlEngineErrorReporter(EventSource& events) : events_(events) {}
    void showError(const std::string& title, const std::string& text) override;
    void requestQuit(int code) override;

private:
    EventSource& events_;
};

// Starts SDL's event handling; false when SDL cannot run at all.
bool startSdlEvents();
// Readies the display's window for the engine: the system cursor hidden over it, the
// screen saver kept off, typed characters delivered, the window raised. Full screen
// also reads the mouse relatively, so the pointer is not stopped by the desktop's edge.
void prepareMainWindow(SDL_Window* window, bool fullScreen);
