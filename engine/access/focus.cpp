#include "engine/access/focus.h"

int stepInList(int position, int count, int direction) {
    if (count <= 0) return -1;
    if (position < 0 || position >= count) return direction < 0 ? count - 1 : 0;
    return ((position + (direction < 0 ? -1 : 1)) % count + count) % count;
}

int HotspotFocus::position(const std::vector<ClickablePoint>& points) const {
    for (size_t i = 0; i < points.size(); ++i)
        if (points[i].index == hotspot_) return static_cast<int>(i);
    return -1;
}

const ClickablePoint* HotspotFocus::current(const std::vector<ClickablePoint>& points) const {
    const int at = position(points);
    return at < 0 ? nullptr : &points[static_cast<size_t>(at)];
}

const ClickablePoint* HotspotFocus::step(const std::vector<ClickablePoint>& points, int direction) {
    const int at = stepInList(position(points), static_cast<int>(points.size()), direction);
    hotspot_ = at < 0 ? -1 : points[static_cast<size_t>(at)].index;
    return current(points);
}

const ClickablePoint* HotspotFocus::first(const std::vector<ClickablePoint>& points) {
    hotspot_ = points.empty() ? -1 : points.front().index;
    return current(points);
}

bool HotspotFocus::follow(const std::vector<ClickablePoint>& points) {
    if (hotspot_ < 0 || position(points) >= 0) return false;
    hotspot_ = -1;
    return true;
}
