#include "view/view.h"

#include <algorithm>

void View::refreshExtents() const {
    extents_.resize(hotspots_.size());
    allItems_.resize(hotspots_.size());
    for (size_t i = 0; i < hotspots_.size(); ++i) {
        const Hotspot& h = hotspots_[i];
        // An empty polygon contains nothing: an extent no point can fall into.
        extents_[i] = h.polygon().empty() ? Extent{1, 0, 0, 0}
                                          : Extent{h.minX(), h.maxX(), h.minY(), h.maxY()};
        allItems_[i] = static_cast<uint32_t>(i);
    }
    // The cells an extent covers, clipped to the grid; points inside an extent satisfy
    // minX <= x <= maxX and minY < y <= maxY.
    auto cellRange = [](const Extent& e, int& c0, int& c1, int& r0, int& r1) {
        if (e.minX > e.maxX || e.minY >= e.maxY) return false;
        int64_t left = e.minX, right = e.maxX, top = int64_t{e.minY} + 1, bottom = e.maxY;
        if (right < 0 || left >= kGridColumns * kCellWidth || bottom < 0 ||
            top >= kGridRows * kCellHeight)
            return false;
        c0 = static_cast<int>(std::max<int64_t>(left, 0) / kCellWidth);
        c1 = static_cast<int>(std::min<int64_t>(right, kGridColumns * kCellWidth - 1) / kCellWidth);
        r0 = static_cast<int>(std::max<int64_t>(top, 0) / kCellHeight);
        r1 = static_cast<int>(std::min<int64_t>(bottom, kGridRows * kCellHeight - 1) / kCellHeight);
        return true;
    };
    cellStart_.assign(kGridColumns * kGridRows + 1, 0);
    int c0, c1, r0, r1;
    for (const Extent& e : extents_)
        if (cellRange(e, c0, c1, r0, r1))
            for (int r = r0; r <= r1; ++r)
                for (int c = c0; c <= c1; ++c) ++cellStart_[r * kGridColumns + c + 1];
    for (size_t c = 1; c < cellStart_.size(); ++c) cellStart_[c] += cellStart_[c - 1];
    cellItems_.resize(cellStart_.back());
    std::vector<uint32_t>& fill = cellFill_;
    fill.assign(cellStart_.begin(), cellStart_.end() - 1);
    for (size_t i = 0; i < extents_.size(); ++i)
        if (cellRange(extents_[i], c0, c1, r0, r1))
            for (int r = r0; r <= r1; ++r)
                for (int c = c0; c <= c1; ++c)
                    cellItems_[fill[r * kGridColumns + c]++] = static_cast<uint32_t>(i);
    extentsStale_ = false;
}

int View::hotspotAtIn(const uint32_t* first, const uint32_t* last, int32_t x, int32_t y) const {
    // From the end: the last active hotspot under the point wins.
    while (last != first) {
        uint32_t i = *--last;
        const Extent& e = extents_[i];
        if (x < e.minX || x > e.maxX || y <= e.minY || y > e.maxY) continue;
        const Hotspot& h = hotspots_[i];
        if (h.active() && h.contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

int View::hotspotAt(int32_t x, int32_t y) const {
    if (extentsStale_ || extents_.size() != hotspots_.size()) refreshExtents();
    if (x >= 0 && x < kGridColumns * kCellWidth && y >= 0 && y < kGridRows * kCellHeight) {
        int cell = (y / kCellHeight) * kGridColumns + x / kCellWidth;
        return hotspotAtIn(cellItems_.data() + cellStart_[cell],
                           cellItems_.data() + cellStart_[cell + 1], x, y);
    }
    return hotspotAtIn(allItems_.data(), allItems_.data() + allItems_.size(), x, y);
}

int32_t View::hotspotCursor(int index) const {
    if (index == -1) return -1;
    return hotspots_.at(static_cast<size_t>(index)).cursor();
}

Script View::hotspotClickScript(int index) const {
    return hotspots_.at(static_cast<size_t>(index)).clickScript();
}

void View::reevaluateConditions() {
    // By index: evaluating can print to the console but never changes the list.
    for (size_t i = 0; i < hotspots_.size(); ++i) hotspots_[i].reevaluate(variables_, output_);
}

void View::enableHotspots(const std::string* name, bool enabled) {
    for (Hotspot& h : hotspots_)
        if (!name || h.name() == *name) h.setEnabled(enabled);
}
