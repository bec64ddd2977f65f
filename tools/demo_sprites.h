#pragma once
// The pointer pictures, transition sheets, animations and the console panel of the
// demo. Sprites are drawn on a magenta key colour in their top-left pixel, with hard
// edges so that no blended fringe survives the colour key.
#include "tools/canvas.h"

constexpr Colour kKey{255, 0, 255};

enum class Arrow { Idle, Forward, Backward, Left, Right };

void paintPointer(Canvas& c, int frameX, Arrow arrow);
// Six 64x64 frames from the idle arrow to `to`.
void paintTransition(Canvas& c, Arrow to);
void paintInteract(Canvas& c);   // six frames: a pulsing ring
void paintTake(Canvas& c);       // six frames: a hand closing
void paintHeldHorse(Canvas& c);  // ten frames: the figurine bobbing
void paintConsolePanel(Canvas& c);
