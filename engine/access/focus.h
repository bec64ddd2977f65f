#pragma once
// The keyboard focus over a list that changes under it: the reachable hotspots of the
// view, or the save page's controls. It remembers what it is on, not where that stood in
// the list, so a hotspot appearing or vanishing elsewhere leaves it in place.
#include <vector>

#include "view/clickable_points.h"

// The next position from `position` (-1: none) in a list of `count`, wrapping; from none
// forward gives the first and backward the last. -1 for an empty list.
int stepInList(int position, int count, int direction);

class HotspotFocus {
public:
    // The focused hotspot's place in `points`, or -1 when it has none or is not there.
    int position(const std::vector<ClickablePoint>& points) const;
    const ClickablePoint* current(const std::vector<ClickablePoint>& points) const;
    // Moves by `direction` (+1 next, -1 previous) in reading order; null when there is
    // nothing to focus.
    const ClickablePoint* step(const std::vector<ClickablePoint>& points, int direction);
    // The first in reading order, or none.
    const ClickablePoint* first(const std::vector<ClickablePoint>& points);
    // Drops the focus when its hotspot can no longer be clicked; true when it did.
    bool follow(const std::vector<ClickablePoint>& points);
    int hotspot() const { return hotspot_; }
    void clear() { hotspot_ = -1; }

private:
    int hotspot_ = -1;  // the view's hotspot index
};
