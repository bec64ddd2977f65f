#pragma once
// The main loop: messages drained before every frame, then one frame of the mode.

// Drains the waiting messages through the window procedure. True, with the code,
// when the quit message was among them.
bool pumpMessages(int& exitCode);

// One pass of the loop after the messages: waits while inactive, otherwise polls the
// input and runs a frame of the current mode. True with the code when the quit
// message arrived while waiting.
bool runLoopPass(int& exitCode);

// Loops until the quit message; returns its code.
int runMainLoop();

// One frame of each mode, with the pointer position of this frame.
void playFrame(int x, int y);
void endingFrame();
void saveLoadFrame(int x, int y);

// The pointer position the frames use (the windowed rule: the last mouse move).
void framePointerPosition(int& x, int& y);
