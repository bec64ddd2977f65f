#pragma once
// The platform of `engine` and `engine-windowed`: the SDL display, its window, the SDL
// input devices and the SDL event queue as the window's messages.
#include "engine/startup.h"

// Runs the whole program: start-up, the main loop, and the exit code of its quit message.
// The picture formats are the program's (the core ones and the codecs it links).
int runSdlEngine(bool windowed, const PictureFormats& pictures);
