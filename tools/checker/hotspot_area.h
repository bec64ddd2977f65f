#pragma once
// The pixels of the 640x480 view a hotspot receives, row by row, by the engine's own
// crossing rule (Hotspot::contains), so the checker can tell a hotspot that covers
// nothing or lies wholly under another.
#include <vector>

#include "view/hotspot.h"
#include "view/view.h"

// Inclusive runs of x on one row.
struct PixelRun {
    int from, to;
};

// The runs of pixels (x, y) of the view inside the polygon, left to right, merged.
std::vector<PixelRun> insideRuns(const Hotspot& hotspot, int y);

// A hotspot's pixels in the view, worked out once.
class HotspotArea {
public:
    explicit HotspotArea(const Hotspot& hotspot);
    bool empty() const { return firstRow_ > lastRow_; }
    // True when every pixel of this area is in `over` too (and there is one).
    bool coveredBy(const HotspotArea& over) const;

private:
    int firstRow_ = 0, lastRow_ = -1;  // rows holding pixels
    int left_ = kViewWidth, right_ = -1;
    std::vector<std::vector<PixelRun>> rows_;  // from firstRow_ to lastRow_
};
