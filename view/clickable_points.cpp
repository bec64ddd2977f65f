#include "view/clickable_points.h"

#include <algorithm>
#include <tuple>

#include "view/view.h"

namespace {

// Samples of a bounding box worth scanning pixel by pixel; larger boxes are sampled on a
// coarser grid first (every sampled pixel still checked with hotspotAt).
constexpr int64_t kFinePixels = 16384;

bool choosePoint(const View& view, int index, int32_t step, ClickablePoint& out) {
    const Hotspot& h = view.hotspot(static_cast<size_t>(index));
    // Points inside satisfy minX <= x <= maxX and minY < y <= maxY; clip to the picture.
    const int32_t x0 = std::max<int32_t>(h.minX(), 0);
    const int32_t x1 = std::min<int32_t>(h.maxX(), kViewWidth - 1);
    const int32_t y0 = std::max<int32_t>(h.minY() + (h.minY() < INT32_MAX ? 1 : 0), 0);
    const int32_t y1 = std::min<int32_t>(h.maxY(), kViewHeight - 1);
    if (x0 > x1 || y0 > y1) return false;
    const int32_t cols = (x1 - x0) / step + 1, rows = (y1 - y0) / step + 1;
    // Chessboard distance to the nearest sample not owned (outside the box counts as not
    // owned), by the usual two passes; a one-sample frame of zeros around the box.
    const int32_t w = cols + 2, hgt = rows + 2;
    std::vector<uint16_t> dist(static_cast<size_t>(w) * hgt, 0);
    bool any = false;
    int64_t sumX = 0, sumY = 0, owned = 0;
    int32_t left = INT32_MAX, right = INT32_MIN, top = INT32_MAX, bottom = INT32_MIN;
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < cols; ++c) {
            const int32_t x = x0 + c * step, y = y0 + r * step;
            if (view.hotspotAt(x, y) != index) continue;
            dist[static_cast<size_t>(r + 1) * w + c + 1] = UINT16_MAX;
            any = true;
            sumX += x, sumY += y, ++owned;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (!any) return false;
    auto at = [&](int32_t r, int32_t c) -> uint16_t& {
        return dist[static_cast<size_t>(r) * w + c];
    };
    for (int32_t r = 1; r <= rows; ++r)
        for (int32_t c = 1; c <= cols; ++c)
            if (at(r, c)) {
                uint16_t m =
                    std::min({at(r - 1, c - 1), at(r - 1, c), at(r - 1, c + 1), at(r, c - 1)});
                at(r, c) = static_cast<uint16_t>(m + 1);
            }
    for (int32_t r = rows; r >= 1; --r)
        for (int32_t c = cols; c >= 1; --c)
            if (at(r, c)) {
                uint16_t m =
                    std::min({at(r + 1, c + 1), at(r + 1, c), at(r + 1, c - 1), at(r, c + 1)});
                at(r, c) = std::min<uint16_t>(at(r, c), static_cast<uint16_t>(m + 1));
            }
    // The deepest sample; among equals the one nearest the owned pixels' centre, then the
    // first in scan order, so the answer never depends on anything but the view.
    const int64_t cx = sumX / owned, cy = sumY / owned;
    uint16_t best = 0;
    int64_t bestNear = 0;
    for (int32_t r = 1; r <= rows; ++r)
        for (int32_t c = 1; c <= cols; ++c) {
            const uint16_t d = at(r, c);
            if (d == 0 || d < best) continue;
            const int64_t x = x0 + int64_t{c - 1} * step, y = y0 + int64_t{r - 1} * step;
            const int64_t near = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (d > best || near < bestNear) {
                best = d, bestNear = near;
                out.point = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
            }
        }
    out.index = index;
    // On a coarse grid the extent is the sampled one, widened by the gap between samples.
    out.left = std::max(x0, left - (step - 1)), out.right = std::min(x1, right + (step - 1));
    out.top = std::max(y0, top - (step - 1)), out.bottom = std::min(y1, bottom + (step - 1));
    return true;
}

}  // namespace

std::vector<ClickablePoint> findClickablePoints(const View& view) {
    std::vector<ClickablePoint> points;
    for (size_t i = 0; i < view.hotspotCount(); ++i) {
        const Hotspot& h = view.hotspot(i);
        if (!h.active() || h.polygon().empty()) continue;
        const int64_t width =
            std::min<int64_t>(h.maxX(), kViewWidth - 1) - std::max<int64_t>(h.minX(), 0) + 1;
        const int64_t height = std::min<int64_t>(h.maxY(), kViewHeight - 1) -
                               std::max<int64_t>(int64_t{h.minY()} + 1, 0) + 1;
        if (width <= 0 || height <= 0) continue;
        int32_t step = 1;
        while (width * height > kFinePixels * step * step) ++step;
        ClickablePoint point;
        const int index = static_cast<int>(i);
        // A thin or small hotspot can slip between coarse samples: look again at every pixel.
        if (choosePoint(view, index, step, point) ||
            (step > 1 && choosePoint(view, index, 1, point)))
            points.push_back(point);
    }
    // Lines as a reader sees them: by the points' heights, a point joins the line above
    // while it lies no lower than that line's lowest pixel, and each line reads left to right.
    std::sort(points.begin(), points.end(), [](const ClickablePoint& a, const ClickablePoint& b) {
        return std::tie(a.point.y, a.point.x, a.index) < std::tie(b.point.y, b.point.x, b.index);
    });
    size_t lineStart = 0;
    int32_t lineBottom = INT32_MIN;
    auto byColumn = [](const ClickablePoint& a, const ClickablePoint& b) {
        return std::tie(a.point.x, a.point.y, a.index) < std::tie(b.point.x, b.point.y, b.index);
    };
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > lineStart && points[i].point.y > lineBottom) {
            std::sort(points.begin() + lineStart, points.begin() + i, byColumn);
            lineStart = i;
            lineBottom = INT32_MIN;
        }
        lineBottom = std::max(lineBottom, points[i].bottom);
    }
    std::sort(points.begin() + lineStart, points.end(), byColumn);
    return points;
}

const std::vector<ClickablePoint>& ClickablePoints::of(const View& view) {
    std::string key = view.fileName();
    key += '\n';
    key += std::to_string(view.hotspotCount());
    key += '\n';
    for (size_t i = 0; i < view.hotspotCount(); ++i) key += view.hotspot(i).active() ? '1' : '0';
    auto found = cache_.find(key);
    if (found != cache_.end()) return found->second;
    if (cache_.size() >= kMaxEntries) cache_.clear();
    return cache_.emplace(std::move(key), findClickablePoints(view)).first->second;
}
