#pragma once
// Start-up: the window and platform objects, the pointer and console pictures, the
// title movie and the first view. What differs between the three programs (window,
// display, input devices, message queue) comes from an EngineHost.
#include <memory>

class Clock;
class DisplayBackend;
class EventSource;
class InputBackend;
class PictureFormats;
class TextRenderer;

class EngineHost {
public:
    virtual ~EngineHost() = default;
    // The windowed rules: a window instead of the whole display, the pointer from the
    // last mouse-move message, frames running while inactive, no pointer limits.
    virtual bool windowed() const = 0;
    // Creates and shows the main window; false when it could not be made.
    virtual bool createWindow() = 0;
    virtual void* windowHandle() { return nullptr; }
    virtual std::unique_ptr<DisplayBackend> createDisplay() = 0;
    virtual std::unique_ptr<InputBackend> createInput() = 0;
    // What the screen and the input devices are made with; the host keeps them for the
    // whole run. Without a text renderer no text shows; without picture formats only
    // the pictures stored in the program load.
    virtual const Clock& clock() = 0;
    virtual TextRenderer* textRenderer() = 0;
    virtual const PictureFormats* pictureFormats() = 0;
    // Called once the font file is registered and the screen exists.
    virtual void afterScreenCreated() {}
};

// Runs start-up in its fixed order. Returns true with `exitCode` set when the quit
// message arrived during start-up (a fatal error); the caller then ends at once.
// game().events must already be installed.
bool startEngine(EngineHost& host, int& exitCode);
