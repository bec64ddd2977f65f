#pragma once
// Engine-wide operations the main loop, the window events and script commands share.
#include <string>

class Surface;

// Tells the author on the console that a game file could not be loaded.
void reportCouldNotLoad(const std::string& file);
// True when a status query on the path succeeds.
bool fileExists(const std::string& path);
// Stops the overlays, fades to the ending picture "end.jpg" and enters the Ending mode.
void showEnding();
// Rebuilds the backdrop from the current view's base image, with fades.
void restoreView();
// Loads a picture file onto the surface from (0, 0) over its whole size.
bool loadImageInto(const std::string& path, Surface& surface);
