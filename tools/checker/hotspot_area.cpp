#include "tools/checker/hotspot_area.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

// Rows of the view that can hold pixels of the polygon: y in (minY, maxY].
bool rowRange(const Hotspot& h, int& first, int& last) {
    if (h.polygon().size() < 2) return false;
    first = static_cast<int>(std::max<int64_t>(int64_t{h.minY()} + 1, 0));
    last = static_cast<int>(std::min<int64_t>(h.maxY(), kViewHeight - 1));
    return first <= last;
}

// Whether a run lies inside the union of the (merged, sorted) runs.
bool within(const PixelRun& run, const std::vector<PixelRun>& runs) {
    for (const PixelRun& r : runs)
        if (r.from <= run.from && run.to <= r.to) return true;
    return false;
}

}  // namespace

std::vector<PixelRun> insideRuns(const Hotspot& hotspot, int y) {
    // A point crosses a counted edge exactly when x <= the edge's crossing x (its x for
    // an upright edge), so the count left of each crossing falls by one: the inside
    // runs lie between consecutive crossings where an odd number remain to the right.
    const std::vector<Point>& v = hotspot.polygon();
    const size_t n = v.size();
    std::vector<int64_t> crossings;
    if (n == 0) return {};
    Point p = v[0];
    for (size_t i = 1; i <= n; ++i) {
        const Point& q = v[i % n];
        if (y > std::min(p.y, q.y) && y <= std::max(p.y, q.y) && p.y != q.y) {
            int64_t xi =
                int64_t{p.x} + (int64_t{q.x} - p.x) * (int64_t{y} - p.y) / (int64_t{q.y} - p.y);
            crossings.push_back(p.x == q.x ? int64_t{p.x} : xi);
        }
        p = q;
    }
    std::sort(crossings.begin(), crossings.end());
    const size_t m = crossings.size();
    std::vector<PixelRun> runs;
    for (size_t j = 0; j < m; ++j) {
        if (((m - j) & 1) == 0) continue;
        // Points in (crossings[j-1], crossings[j]] have m - j crossings at or right of
        // them; before the first crossing the run starts at the view's left edge.
        int64_t from = j == 0 ? 0 : crossings[j - 1] + 1;
        int64_t to = crossings[j];
        from = std::max<int64_t>(from, 0);
        to = std::min<int64_t>(to, kViewWidth - 1);
        if (from > to) continue;
        if (!runs.empty() && runs.back().to + 1 >= from) {
            runs.back().to = std::max(runs.back().to, static_cast<int>(to));
        } else {
            runs.push_back({static_cast<int>(from), static_cast<int>(to)});
        }
    }
    return runs;
}

HotspotArea::HotspotArea(const Hotspot& hotspot) {
    int first = 0, last = -1;
    if (!rowRange(hotspot, first, last)) return;
    std::vector<std::vector<PixelRun>> rows;
    for (int y = first; y <= last; ++y) {
        std::vector<PixelRun> runs = insideRuns(hotspot, y);
        if (!runs.empty()) {
            if (empty()) firstRow_ = y;
            lastRow_ = y;
            left_ = std::min(left_, runs.front().from);
            right_ = std::max(right_, runs.back().to);
        }
        rows.push_back(std::move(runs));
    }
    if (empty()) return;
    rows_.assign(std::make_move_iterator(rows.begin() + (firstRow_ - first)),
                 std::make_move_iterator(rows.begin() + (lastRow_ - first + 1)));
}

bool HotspotArea::coveredBy(const HotspotArea& over) const {
    if (empty() || over.empty()) return false;
    if (firstRow_ < over.firstRow_ || lastRow_ > over.lastRow_ || left_ < over.left_ ||
        right_ > over.right_)
        return false;
    for (int y = firstRow_; y <= lastRow_; ++y) {
        const std::vector<PixelRun>& cover = over.rows_[static_cast<size_t>(y - over.firstRow_)];
        for (const PixelRun& run : rows_[static_cast<size_t>(y - firstRow_)])
            if (!within(run, cover)) return false;
    }
    return true;
}
