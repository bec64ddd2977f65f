#pragma once
// The engine's own pointer: the state machine that picks the image for the cursor kind
// under it and plays the transition sheets between shapes.
#include <cstdint>
#include <memory>

#include "media/frame_animation.h"
#include "platform/surface.h"

class Assets;
struct Inventory;

// The pointer's shapes, which are also the cursor numbers of hotspots (1 to 7).
enum PointerShape : int32_t {
    InTransition = 0,
    Idle = 1,
    Forward = 2,
    Backward = 3,
    Left = 4,
    Right = 5,
    Interact = 6,
    Take = 7
};

class Pointer {
public:
    // Once per frame in Play, after the hotspot under the pointer is known: `kind` is its
    // cursor number (-1 over none). A held inventory item replaces the pointer.
    void draw(int kind, int x, int y, Surface& back, Inventory& inventory, Assets& assets);
    // Back to the idle arrow with no transition (view loads, the save/load page).
    void reset();
    // The save/load page's pointer: the interact animation over an area that answers a
    // click, the idle arrow elsewhere; no transitions.
    void drawOnPage(bool overActiveArea, int x, int y, Surface& back);

    // "pointidle.bmp", "pointforward.bmp", "pointbackward.bmp", "pointleft.bmp",
    // "pointright.bmp", each keyed by its top-left pixel.
    std::unique_ptr<Surface> idle, forward, backward, left, right;
    // "interact.bmp" and "take.bmp".
    std::unique_ptr<FrameAnimation> interactAnim, takeAnim;
    int32_t shape = 1;  // "pointerShape": 0 in transition, 1 idle ... 7 take
    std::unique_ptr<FrameAnimation> transition;  // the sheet under way, if any
    int32_t target = -1;                         // the shape shown when the transition ends

private:
    void startTransition(int sheetShape, int target, bool reverse, Assets& assets);
    void chooseShape(int kind, Assets& assets);
};
