#include "engine/pointer.h"

// Placeholder until the pointer lands.
void drawPointer(int, int, int) {}
void resetPointer() {}
