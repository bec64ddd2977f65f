#pragma once
// View changes: the pending effect ("alpha" cross-fade, "black" fade through black, or a
// cut) and the backdrop switch that ends every change.
#include <functional>
#include <string>

class Surface;

// Plays the pending effect from the backdrop to the picture in the file, then clears
// the pending type ("alpha" and "black" only; any other type stays pending).
void runTransition(const std::string& imageFile);
// Replaces the backdrop with the picture in the file.
void switchBackdrop(const std::string& imageFile);

// The overlay layer connects here: drawing the overlay images and animations onto a
// surface, and removing every overlay. Until it does, both do nothing.
void setOverlayHooks(std::function<void(Surface&)> draw, std::function<void()> clear);
void drawOverlaysOnto(Surface& surface);
void clearAllOverlays();
