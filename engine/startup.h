#pragma once
// Start-up: the window and platform objects, the pointer and console pictures, the
// title movie and the first view. What differs between the three programs (window,
// display, input devices, message queue) comes from an EngineHost.
#include <memory>

#include "platform/audio_output.h"

class DisplayBackend;
class InputBackend;
class EventSource;

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
    // Where the mix goes; none means the engine runs silent.
    virtual std::unique_ptr<AudioOutput> createAudioOutput() { return nullptr; }
    // Called once the font file is registered and the screen exists.
    virtual void afterScreenCreated() {}
};

// Runs start-up in its fixed order. Returns true with `exitCode` set when the quit
// message arrived during start-up (a fatal error); the caller then ends at once.
// game().events must already be installed.
bool startEngine(EngineHost& host, int& exitCode);
