#include "view/hotspot.h"

#include <algorithm>

#include "script/evaluator.h"
#include "view/coordinates.h"

bool Hotspot::contains(int32_t x, int32_t y) const {
    const size_t n = polygon_.size();
    if (n == 0) return false;
    Point p = polygon_[0];
    int count = 0;
    for (size_t i = 1; i <= n; ++i) {
        const Point& q = polygon_[i % n];
        if (y > std::min(p.y, q.y) && y <= std::max(p.y, q.y) && x <= std::max(p.x, q.x) &&
            p.y != q.y) {
            // 64-bit intermediate: view files may hold coordinates far outside the
            // picture, and the product must not overflow.
            int64_t xi =
                int64_t{p.x} + (int64_t{q.x} - p.x) * (int64_t{y} - p.y) / (int64_t{q.y} - p.y);
            if (p.x == q.x || x <= xi) ++count;
        }
        p = q;
    }
    return (count & 1) != 0;
}

bool Hotspot::setCoordinates(const std::string& word) {
    bool clean = parseCoordinateList(word, polygon_);
    for (size_t i = 0; i < polygon_.size(); ++i) {
        const Point& p = polygon_[i];
        minX_ = i ? std::min(minX_, p.x) : p.x;
        maxX_ = i ? std::max(maxX_, p.x) : p.x;
        minY_ = i ? std::min(minY_, p.y) : p.y;
        maxY_ = i ? std::max(maxY_, p.y) : p.y;
    }
    return clean;
}

void Hotspot::setCondition(const std::string& text, Variables& variables, MessageSink& output) {
    condition_ = text;
    conditionResult_ = true;
    if (text == "()") return;
    bool error = false;
    conditionResult_ = evaluateCondition(text, variables, error, output);
    if (error) output.print("Error in onclick condition " + text, kRed);
}
