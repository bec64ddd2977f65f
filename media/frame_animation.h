#pragma once
// A picture holding a strip or grid of equally sized frames, stepped at a fixed rate on
// the clock of the screen it was loaded with, and drawn one frame at a time.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/surface.h"

// How a frame is put onto the destination.
enum class DrawMode : int {
    Plain = 0,           // copy
    Half = 2,            // 50 % blend
    Alpha25 = 11,        // blend at level 25
    Keyed = 100,         // copy skipping the key colour (every engine animation)
    KeyedHalf = 102,     // 50 % blend skipping the key colour
    KeyedAlpha25 = 111,  // level-25 blend skipping the key colour
};
// A mode number as scripts and stored state give it; numbers without a name draw
// nothing.
constexpr DrawMode drawModeOf(int number) {
    return static_cast<DrawMode>(number);
}

// How a sheet is cut into frames and played.
struct AnimationSettings {
    int frameWidth = 0, frameHeight = 0;
    int frameCount = 0;       // 0: every whole frame the picture holds
    uint16_t frameDelay = 0;  // least milliseconds between two steps
    bool looping = false;     // wrap around at the end (a script's looping value 1)
    bool reverse = false;     // play from the last frame towards the first
    int depth = 0;            // drawing order of overlay animations; the pointers use 1
    int placement = kPlacementAny;
};

// How a sheet of `width` x `height` pixels is cut by the settings' frame size and count.
struct SheetCut {
    bool fits = false;  // false: the frame size does not fit the picture; no frames
    int columns = 0, rows = 0;
    int available = 0;   // whole frames the picture holds
    int frameCount = 0;  // frames played: the count asked for (0: all `available`)
};
SheetCut cutSheet(int width, int height, const AnimationSettings& settings);

class FrameAnimation {
public:
    FrameAnimation();
    virtual ~FrameAnimation();
    FrameAnimation(const FrameAnimation&) = delete;
    FrameAnimation& operator=(const FrameAnimation&) = delete;

    // 1 on success; 0 when there is no screen or file name, the picture could not be
    // loaded or the frame size does not fit it (then there are no frames and nothing is
    // drawn). A frame count above the sheet's cells is kept: the frames without a cell
    // take their steps but draw nothing.
    int load(Screen* screen, const std::string& file, const AnimationSettings& settings);
    // Sets the name and own position first (overlay animations), then loads.
    int loadNamed(const std::string& name, int x, int y, Screen* screen, const std::string& file,
                  const AnimationSettings& settings);

    virtual int nextFrame(int current);
    virtual int previousFrame(int current);
    // Advances, then draws the current frame with its top left at (x, y).
    virtual void draw(int x, int y, Surface& destination, DrawMode mode);
    virtual void drawAtOwnPosition(Surface& destination, DrawMode mode);
    // Shows `frame` without advancing.
    void drawFrame(int x, int y, int frame, Surface& destination, DrawMode mode);

    bool isFinished() const { return finished_; }
    int getDepth() const { return depth_; }
    std::string getName() const { return name_; }
    int frameCount() const { return frameCount_; }
    int current() const { return current_; }
    // Where frame `index` lies in the sheet; an empty rectangle for frames outside the
    // count or past the sheet's last cell.
    Rect frameRect(int index) const;
    // The whole sheet.
    const Surface& sheet() const { return sheet_; }

private:
    // Starts the step timer on first use; true when the frame delay has passed.
    bool stepDue();
    void drawRect(int x, int y, Surface& destination, DrawMode mode);

    Surface sheet_;
    const Clock* clock_ = nullptr;  // the loading screen's
    int frameWidth_ = 0, frameHeight_ = 0, frameCount_ = 0, columns_ = 0, rows_ = 0;
    uint16_t frameDelay_ = 0;
    bool looping_ = false, reverse_ = false;
    bool finished_ = false;
    int current_ = -1;
    std::unique_ptr<MillisecondTimer> stepTimer_;
    int depth_ = 0;
    int x_ = 65535, y_ = 65535;
    std::string name_;
};
