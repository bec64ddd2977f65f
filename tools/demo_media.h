#pragma once
// The demo's movies and overlay pictures. Movies are painted picture by picture on a
// canvas and encoded as MPEG-1 program streams with an MP2 sound track.
#include <string>

#include "tools/canvas.h"

// The title movie "nivoktit.mpg": the house at night and the game's name, 6 s, 640x480.
std::string writeTitleMovie(Screen& screen, const std::string& path);
// Water in the garden's fountain, a seamless 2-second loop the size of its rectangle.
std::string writeFountainMovie(Screen& screen, const std::string& path);
// The cut-scene when the horse is back: the house door swinging open, in a window.
std::string writeDoorMovie(Screen& screen, const std::string& path);
// The full-screen finale from the tower: the sun coming up, 4 s.
std::string writeFinaleMovie(Screen& screen, const std::string& path);

// Where the garden's fountain movie and the door's cut-scene go on the screen.
constexpr int kFountainX = 248, kFountainY = 232, kFountainW = 144, kFountainH = 80;
constexpr int kDoorX = 240, kDoorY = 176, kDoorW = 160, kDoorH = 144;

// Eight 64x64 frames of the library's reading lamp flickering, on the key colour; drawn
// with its top left at (508, 262).
void paintLampSheet(Canvas& c);
// The brass horse on the key colour, 48x64; drawn at (200, 244) it stands on the pedestal.
void paintHorseSprite(Canvas& c);
