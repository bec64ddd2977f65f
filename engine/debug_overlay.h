#pragma once
// Debug mode's drawing over a Play frame: hotspot outlines, the four red lines and the
// five pixels at the pointer.
void drawDebugOverlay(int x, int y);
