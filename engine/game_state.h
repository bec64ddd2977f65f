#pragma once
// The engine-wide record of state. It owns every engine object it refers to;
// replacing a field destroys the old object first.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "media/frame_animation.h"
#include "media/mixer.h"
#include "media/sound_slot.h"
#include "platform/clock.h"
#include "platform/input_device.h"
#include "platform/screen.h"
#include "platform/surface.h"
#include "view/view.h"

class EventSource;

enum Mode : int32_t { Play = 1, Ending = 2, SaveScreen = 4, LoadScreen = 5 };

struct GameState {
    GameState();
    ~GameState();

    std::unique_ptr<Screen> screen;
    std::unique_ptr<InputDevice> input;
    std::unique_ptr<Mixer> mixer;
    void* windowHandle = nullptr;
    // The main window's message queue (SDL events, or the headless runner's script).
    std::unique_ptr<EventSource> events;

    std::unique_ptr<Surface> backdrop;
    std::unique_ptr<Surface> consoleImage;
    std::unique_ptr<Surface> pointerIdle, pointerForward, pointerBackward, pointerLeft,
        pointerRight;
    std::unique_ptr<FrameAnimation> interactAnim, takeAnim;
    int32_t pointerShape = 1;
    std::unique_ptr<FrameAnimation> pointerTransition;
    int32_t pointerTarget = -1;
    std::unique_ptr<FrameAnimation> inventoryAnim;

    std::map<std::string, int32_t> variables;
    std::map<std::string, int32_t> inventoryItems;
    std::vector<int32_t> inventory;
    int32_t inventorySelection = -1;

    int32_t mode = Play;
    int32_t appActive = 1;
    // Transitional: reads the process-wide engineClock() until the engine hands its
    // clock down.
    MillisecondTimer frameTimer{engineClock()};
    int32_t framesThisPeriod = 0;
    int32_t fps = 0;
    bool consoleVisible = false;
    bool debugMode = false;
    std::unique_ptr<View> currentView;

    std::string lastMusic = "NONE";
    std::string transitionType;
    int32_t transitionStep = 0;
    int32_t screenshotCounter = 0;

    // console
    std::vector<std::string> consoleLines;
    std::vector<uint32_t> consoleColours;
    int32_t consoleCounter = 0;
    int32_t consoleTop = 0;
    std::string consoleInput;
    uint8_t typedChar = 0;

    std::array<SoundSlot, 5> soundSlots;
    int32_t savePage = 0;
    std::array<bool, 6> slotUsed{};
    uint16_t realMouseX = 0, realMouseY = 0;
    int32_t screenWidth = 640, screenHeight = 480;

    // Pictures already reported missing, so a sheet tried every frame is named once.
    std::set<std::string> reportedMissing;

    // Set once the shutdown sequence has run, so a second close does nothing.
    bool shutDown = false;

    // Windowed build: the pointer follows the last mouse-move message.
    bool windowed = false;
    // Told of every console line as it is printed (the headless runner prints them).
    std::function<void(const std::string& line, uint32_t colour)> consoleListener;
};

// The one engine-wide state record.
GameState& game();
// Replaces it with a fresh record (start-up and tests).
void resetGame();
