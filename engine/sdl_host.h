#pragma once
// The programs `engine` and `engine-windowed`: the SDL display, its window, the SDL input
// devices and the SDL event queue as the window's messages.

struct ProgramServices;

// Runs the whole program in the working directory: start-up, the main loop, and the
// exit code of its quit message, with the text renderer and codecs the program links.
int runSdlEngine(bool windowed, const ProgramServices& services);
