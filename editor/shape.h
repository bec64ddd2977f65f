#pragma once
// One hotspot polygon with its properties. Positions are 1-based and counts 16-bit,
// because the dialogs, the tools and the view file all number vertices from 1.
#include <cstdint>
#include <string>
#include <vector>

class shape {
public:
    // Most vertices (and shapes in a view) a 16-bit count can hold.
    static constexpr int16_t kMaxCount = 32767;

    void setName(const std::string& s) { name = s; }
    void setCursor(int16_t s) { cursor = s; }
    void setCond(const std::string& s) { cond = s; }
    void setScript(const std::string& s) { script = s; }
    const std::string& getName() const { return name; }
    int16_t getCursor() const { return cursor; }
    const std::string& getCond() const { return cond; }
    const std::string& getScript() const { return script; }

    // Drops every vertex.
    void makeshape();
    // Appends a vertex; false (nothing added) when the shape is full.
    bool addPoint(int16_t xc, int16_t yc);
    // Inserts before position `at` (1..n+1); false when `at` is out of range or full.
    bool addPointAt(int16_t x, int16_t y, int16_t at);
    int16_t numPoint() const { return static_cast<int16_t>(xs.size()); }
    // Coordinates of vertex `pos` (1..n); 0 for a position that does not exist.
    int16_t x(int16_t pos) const;
    int16_t y(int16_t pos) const;
    // Removes vertex `pos`; false when it does not exist.
    bool delpoint(int16_t pos);
    bool setX(int16_t val, int16_t pos);
    bool setY(int16_t val, int16_t pos);

    bool operator==(const shape& o) const {
        return xs == o.xs && ys == o.ys && name == o.name && cursor == o.cursor && cond == o.cond &&
               script == o.script;
    }
    bool operator!=(const shape& o) const { return !(*this == o); }

private:
    bool valid(int16_t pos) const { return pos >= 1 && pos <= numPoint(); }

    std::vector<int16_t> xs;
    std::vector<int16_t> ys;
    std::string name;
    int16_t cursor = 0;
    std::string cond;
    std::string script;  // lines separated by CR LF
};

// Crossing-number test in single precision, so a point on an edge falls on the same
// side as it did for every view drawn before.
bool insidePolygon(const shape& shp, int px, int py);
