#pragma once
// The files every game is read from by fixed names, and how the engine cuts its pointer
// and inventory sheets. The engine and the game checker both go by these.
#include <array>
#include <cstdint>

#include "media/frame_animation.h"

namespace game_files {

constexpr const char* kFirstView = "init.scn";
constexpr const char* kTitleMovie = "nivoktit.mpg";
constexpr const char* kFont = "pookie.ttf";
constexpr const char* kEnding = "end.jpg";
constexpr const char* kSavePage = "saveload.jpg";
constexpr const char* kConsolePanel = "console.bmp";

// The pointer pictures, keyed by their top-left pixel: idle, forward, backward, left,
// right.
constexpr std::array<const char*, 5> kPointerPictures{
    "pointidle.bmp", "pointforward.bmp", "pointbackward.bmp", "pointleft.bmp", "pointright.bmp"};

// A sheet of 64x64 frames the engine reads by name.
struct Sheet {
    const char* file;
    int frames;
    uint16_t delay;  // milliseconds between frames
    bool looping;

    AnimationSettings settings(bool reverse = false) const {
        AnimationSettings s;
        s.frameWidth = s.frameHeight = 64;
        s.frameCount = frames;
        s.frameDelay = delay;
        s.looping = looping;
        s.reverse = reverse;
        s.depth = 1;
        return s;
    }
};

constexpr Sheet kInteract{"interact.bmp", 6, 25, true};
constexpr Sheet kTake{"take.bmp", 6, 50, true};
// Held while the inventory's "inv_knight" position is selected.
constexpr Sheet kHeldKnight{"invknight.bmp", 10, 100, true};
// The transitions from the idle arrow into the walking arrows and the take hand (played
// backwards on the way back); the interact ring has none.
constexpr Sheet kIdleToForward{"idle2forward.bmp", 6, 50, false};
constexpr Sheet kIdleToBackward{"idle2backward.bmp", 6, 50, false};
constexpr Sheet kIdleToLeft{"idle2left.bmp", 6, 50, false};
constexpr Sheet kIdleToRight{"idle2right.bmp", 6, 75, false};
constexpr Sheet kIdleToTake{"idle2take.bmp", 6, 50, false};

}  // namespace game_files
