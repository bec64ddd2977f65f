#pragma once
// The programs `engine` and `engine-windowed`: one engine on the SDL host.

struct ProgramServices;

// Runs the whole program in the working directory: start-up, the main loop, and the
// exit code of its quit message, with the text renderer and codecs the program links.
int runSdlEngine(bool windowed, const ProgramServices& services);
