#include "editor/shape.h"

#include <algorithm>

void shape::makeshape() {
    xs.clear();
    ys.clear();
}

bool shape::addPoint(int16_t xc, int16_t yc) {
    if (numPoint() >= kMaxCount) return false;
    xs.push_back(xc);
    ys.push_back(yc);
    return true;
}

bool shape::addPointAt(int16_t x, int16_t y, int16_t at) {
    if (at < 1 || at > numPoint() + 1 || numPoint() >= kMaxCount) return false;
    xs.insert(xs.begin() + (at - 1), x);
    ys.insert(ys.begin() + (at - 1), y);
    return true;
}

int16_t shape::x(int16_t pos) const {
    return valid(pos) ? xs[pos - 1] : 0;
}
int16_t shape::y(int16_t pos) const {
    return valid(pos) ? ys[pos - 1] : 0;
}

bool shape::delpoint(int16_t pos) {
    if (!valid(pos)) return false;
    xs.erase(xs.begin() + (pos - 1));
    ys.erase(ys.begin() + (pos - 1));
    return true;
}

bool shape::setX(int16_t val, int16_t pos) {
    if (!valid(pos)) return false;
    xs[pos - 1] = val;
    return true;
}

bool shape::setY(int16_t val, int16_t pos) {
    if (!valid(pos)) return false;
    ys[pos - 1] = val;
    return true;
}

bool insidePolygon(const shape& shp, int px, int py) {
    const int n = shp.numPoint();
    if (n == 0) return false;
    int p1x = shp.x(1), p1y = shp.y(1);
    int count = 0;
    for (int i = 1; i <= n; ++i) {
        const int16_t next = static_cast<int16_t>(i % n + 1);
        const int p2x = shp.x(next), p2y = shp.y(next);
        if (py > std::min(p1y, p2y) && py <= std::max(p1y, p2y) && px <= std::max(p1x, p2x) &&
            p1y != p2y) {
            volatile float product = static_cast<float>(py - p1y) * static_cast<float>(p2x - p1x);
            volatile float quotient = product / static_cast<float>(p2y - p1y);
            const float xinters = quotient + static_cast<float>(p1x);
            if (p1x == p2x || static_cast<float>(px) <= xinters) ++count;
        }
        p1x = p2x;
        p1y = p2y;
    }
    return count % 2 == 1;
}
