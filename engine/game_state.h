#pragma once
// The engine-wide record of state, owned by the engine object. It owns every object it
// refers to; replacing a field destroys the old object first. Each subsystem keeps its
// own part (console, pointer, inventory, variables, the current view) in an object of
// its own.
#include <cstdint>
#include <memory>

#include "engine/console.h"
#include "engine/overlay_sources.h"
#include "engine/pointer.h"
#include "engine/transition.h"
#include "game/inventory.h"
#include "game/save_page.h"
#include "media/mixer.h"
#include "media/music_control.h"
#include "media/overlays.h"
#include "media/sound_slots.h"
#include "platform/clock.h"
#include "platform/event_source.h"
#include "platform/input_device.h"
#include "platform/screen.h"
#include "platform/surface.h"
#include "script/variables.h"
#include "view/view.h"

enum Mode : int32_t { Play = 1, Ending = 2, SaveScreen = 4, LoadScreen = 5 };

struct GameState {
    explicit GameState(const Clock& clock) : frameTimer(clock) {}

    std::unique_ptr<Screen> screen;
    std::unique_ptr<InputDevice> input;
    std::unique_ptr<Mixer> mixer;
    // The five sound-effect slots and the music ("lastMusic" and the player); made with
    // the mixer at start-up.
    std::unique_ptr<SoundSlots> sounds;
    std::unique_ptr<MusicControl> music;
    // The main window's message queue (SDL events, or a script of them).
    std::unique_ptr<EventSource> events;

    // The current view's base image (or the ending or save/load picture).
    std::unique_ptr<Surface> backdrop;
    Console console;
    Pointer pointer;
    Inventory inventory;
    Variables variables;
    std::unique_ptr<View> currentView;
    // Images, animations and movies over the backdrop; cleared by a view change, the
    // ending and shutdown (before the mixer their movies' sound plays through).
    Overlays overlays;
    OverlaySources overlaySources;
    Transitions transition;

    int32_t mode = Play;
    int32_t appActive = 1;
    MillisecondTimer frameTimer;
    int32_t framesThisPeriod = 0;
    int32_t fps = 0;
    bool debugMode = false;

    int32_t screenshotCounter = 0;
    SavePage savePage;
    uint16_t realMouseX = 0, realMouseY = 0;
    // Windowed build: the pointer follows the last mouse-move message.
    bool windowed = false;
};
