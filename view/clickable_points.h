#pragma once
// Which hotspots of a view a click can reach now, and one point inside each where a click
// lands on it. Keyboard focus, speech and automatic players all walk this list, so a
// hotspot they offer is always one a mouse could click the same way.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "view/point.h"

class View;

struct ClickablePoint {
    int index = -1;  // the hotspot's place in the view's list
    Point point;     // View::hotspotAt(point) returns index
    // The pixels of the picture where the hotspot takes the click, as an extent:
    // left <= x <= right, top <= y <= bottom.
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The reachable hotspots of `view` as its hotspots stand now (enabled, condition true and
// owning at least one pixel of the picture), in reading order: lines top to bottom, each
// left to right by the chosen point (a point joins the line above it while it lies no lower
// than that line's lowest pixel), then by list order. Each point is the pixel of the
// hotspot farthest from any pixel it does not own, so it sits well inside concave shapes.
std::vector<ClickablePoint> findClickablePoints(const View& view);

// findClickablePoints with the answers kept per view file and set of active hotspots, for
// callers that ask every frame or for every state they explore. Views whose polygons
// change under the same file name need clear().
class ClickablePoints {
public:
    const std::vector<ClickablePoint>& of(const View& view);
    void clear() { cache_.clear(); }

private:
    // The view file's name, the hotspot count and one character per hotspot: active or not.
    std::map<std::string, std::vector<ClickablePoint>> cache_;
    static constexpr size_t kMaxEntries = 4096;
};
