#pragma once
// The programs `engine` and `engine-windowed`: the SDL display, its window, the SDL input
// devices and the SDL event queue as the window's messages.

class PictureFormats;

// Runs the whole program in the working directory: start-up, the main loop, and the
// exit code of its quit message. The picture formats are the program's (the core ones
// and the codecs it links).
int runSdlEngine(bool windowed, const PictureFormats& pictures);
