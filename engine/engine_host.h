#pragma once
// What a program gives its engine: every platform service the game logic uses, behind
// small interfaces. The SDL programs, the headless runner and the tests each have a
// host; the engine cannot tell them apart.
#include <memory>

#include "engine/program_services.h"
#include "platform/speech_voice.h"

class AudioOutput;
class Clock;
class DisplayBackend;
class ErrorReporter;
class EventSource;
class InputBackend;
class SpeechStream;

class EngineHost {
public:
    virtual ~EngineHost() = default;

    // The windowed rules: a window instead of the whole display, the pointer from the
    // last mouse-move message, frames running while inactive, no pointer limits.
    virtual bool windowed() const = 0;
    // The one clock every timer, animation, fade and movie reads.
    virtual const Clock& clock() const = 0;
    // Fatal message boxes.
    virtual ErrorReporter& errorReporter() = 0;
    // The text renderer and the codecs the program links.
    virtual const ProgramServices& services() = 0;
    // The main window's message queue; created once, before start-up.
    virtual std::unique_ptr<EventSource> createEvents() = 0;
    // Creates and shows the main window; false when it could not be made.
    virtual bool createWindow() = 0;
    virtual std::unique_ptr<DisplayBackend> createDisplay() = 0;
    virtual std::unique_ptr<InputBackend> createInput() = 0;
    // Where the mix goes; none leaves the engine silent.
    virtual std::unique_ptr<AudioOutput> createAudioOutput() { return nullptr; }
    // A voice that speaks into `stream` (which the engine mixes); none: speech as text only.
    virtual std::unique_ptr<SpeechVoice> createSpeechVoice(SpeechStream&) { return nullptr; }
    // Called once the screen exists (the window can then be readied for play).
    virtual void afterScreenCreated() {}
};
