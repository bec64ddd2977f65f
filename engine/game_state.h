#pragma once
// The engine-wide record of state, owned by the engine object. It owns every object it
// refers to; replacing a field destroys the old object first. Each subsystem keeps its
// own part (console, pointer, inventory, variables) in an object of its own; what is seen
// of the game (backdrop, view, overlays, pending transition) is the Scene's.
#include <cstdint>
#include <memory>

#include "engine/console.h"
#include "engine/pointer.h"
#include "engine/scene.h"
#include "game/inventory.h"
#include "game/save_page.h"
#include "media/mixer.h"
#include "media/music_control.h"
#include "media/sound_slots.h"
#include "platform/clock.h"
#include "platform/event_source.h"
#include "platform/input_device.h"
#include "platform/screen.h"
#include "script/variables.h"

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

    Console console;
    Pointer pointer;
    Inventory inventory;
    Variables variables;

    int32_t mode = Play;
    int32_t appActive = 1;
    MillisecondTimer frameTimer;
    int32_t framesThisPeriod = 0;
    int32_t fps = 0;
    bool debugMode = false;

    SavePage savePage;
    uint16_t realMouseX = 0, realMouseY = 0;
    // Windowed build: the pointer follows the last mouse-move message.
    bool windowed = false;
};

// What debug mode writes of the engine-wide state.
inline DebugFigures debugFigures(const GameState& g) {
    DebugFigures figures;
    figures.fps = g.fps;
    figures.volume = g.mixer ? g.mixer->getVolume() : 0;
    figures.realMouseX = g.realMouseX;
    figures.realMouseY = g.realMouseY;
    figures.selection = g.inventory.selection;
    figures.itemCount = static_cast<int>(g.inventory.items.size());
    figures.heldPicture = g.inventory.anim != nullptr;
    return figures;
}
