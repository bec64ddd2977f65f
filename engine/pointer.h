#pragma once
// The engine's own pointer: the state machine that picks the image for the cursor
// kind under it and plays the transition sheets between shapes.

// Once per frame in Play, after the hotspot under the pointer is known.
void drawPointer(int kind, int x, int y);
// Back to the idle arrow with no transition (view loads, the save/load page).
void resetPointer();
