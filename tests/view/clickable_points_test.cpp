#include "view/clickable_points.h"

#include <algorithm>
#include <string>
#include <vector>

#include "support/engine_test.h"
#include "view/view.h"

namespace {

class ClickablePointsTest : public EngineTest {
protected:
    struct Spot {
        const char* name;
        std::string coords;
        const char* condition = "()";
    };
    std::string viewFile(const std::vector<Spot>& spots) {
        std::string file = "VIEW v\nBASEIMAGE b.jpg\nONLOADSTART\nONLOADEND\n";
        for (const Spot& s : spots)
            file += std::string("HOTSPOTSTART ") + s.name + "\nCURSOR 2\nCOORD " + s.coords +
                    "\nONCONDITION " + s.condition + "\nONCLICKSTART\nONCLICKEND\nHOTSPOTEND\n";
        return file;
    }
    std::unique_ptr<View> load(const std::vector<Spot>& spots, const char* name = "v.scn") {
        write(name, viewFile(spots));
        auto view = std::make_unique<View>(g().variables, g().console);
        std::string error;
        EXPECT_TRUE(view->load(name, engine->folder(), error)) << error;
        return view;
    }
    static std::vector<std::string> names(const View& view,
                                          const std::vector<ClickablePoint>& points) {
        std::vector<std::string> out;
        for (const ClickablePoint& p : points) {
            EXPECT_EQ(view.hotspotAt(p.point.x, p.point.y), p.index)
                << view.hotspot(p.index).name();
            EXPECT_TRUE(p.left <= p.point.x && p.point.x <= p.right && p.top <= p.point.y &&
                        p.point.y <= p.bottom);
            out.push_back(view.hotspot(static_cast<size_t>(p.index)).name());
        }
        return out;
    }
};

std::string rect(int x0, int y0, int x1, int y1) {
    auto pt = [](int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; };
    return pt(x0, y0) + "," + pt(x1, y0) + "," + pt(x1, y1) + "," + pt(x0, y1);
}

// A rectangle's polygon (x0, y0)-(x1, y1) owns the pixels x0 < x <= x1, y0 < y <= y1.
TEST_F(ClickablePointsTest, WhichHotspotsAreReachable) {
    struct Case {
        const char* what;
        std::vector<Spot> spots;
        const char* disable;  // a hotspot switched off after loading, or null
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"all open",
         {{"a", rect(10, 10, 50, 50)}, {"b", rect(100, 10, 150, 50)}},
         nullptr,
         {"a", "b"}},
        {"disabled", {{"a", rect(10, 10, 50, 50)}, {"b", rect(100, 10, 150, 50)}}, "a", {"b"}},
        {"condition false",
         {{"a", rect(10, 10, 50, 50), "(q==1)"}, {"b", rect(100, 10, 150, 50)}},
         nullptr,
         {"b"}},
        {"wholly covered by a later one",
         {{"a", rect(20, 20, 40, 40)}, {"b", rect(10, 10, 50, 50)}},
         nullptr,
         {"b"}},
        {"covered by an earlier one is on top",
         {{"b", rect(10, 10, 50, 50)}, {"a", rect(20, 20, 40, 40)}},
         nullptr,
         {"b", "a"}},
        {"cover switched off",
         {{"a", rect(20, 20, 40, 40)}, {"b", rect(10, 10, 50, 50)}},
         "b",
         {"a"}},
        {"cover false",
         {{"a", rect(20, 20, 40, 40)}, {"b", rect(10, 10, 50, 50), "(q==1)"}},
         nullptr,
         {"a"}},
        {"one pixel left uncovered",
         {{"a", rect(20, 20, 41, 40)}, {"b", rect(10, 10, 40, 50)}},
         nullptr,
         {"b", "a"}},
        {"right edge: last column", {{"a", rect(638, 10, 700, 20)}}, nullptr, {"a"}},
        {"right edge: beyond", {{"a", rect(639, 10, 700, 20)}}, nullptr, {}},
        {"bottom edge: last row", {{"a", rect(10, 478, 20, 600)}}, nullptr, {"a"}},
        {"bottom edge: beyond", {{"a", rect(10, 479, 20, 600)}}, nullptr, {}},
        {"left edge: first column", {{"a", rect(-50, 10, 0, 20)}}, nullptr, {"a"}},
        {"left edge: beyond", {{"a", rect(-50, 10, -1, 20)}}, nullptr, {}},
        {"flat polygon", {{"a", "(10,10),(50,10),(90,10)"}}, nullptr, {}},
        {"no vertices", {{"a", "x"}}, nullptr, {}},
        {"thin sliver across the picture", {{"a", "(0,0),(639,478),(639,479)"}}, nullptr, {"a"}},
        {"whole picture and more", {{"a", rect(-100, -100, 900, 900)}}, nullptr, {"a"}},
    };
    for (const Case& c : cases) {
        auto view = load(c.spots);
        if (c.disable) {
            std::string name = c.disable;
            view->enableHotspots(&name, false);
        }
        EXPECT_EQ(names(*view, findClickablePoints(*view)), c.expected) << c.what;
    }
}

// Every point is inside its own shape and nearly as deep as the shape allows (large shapes
// are sampled every other pixel): each pixel of the square of `depth` around it belongs to
// the hotspot, where the arms are 40 pixels wide (50 for the ring).
TEST_F(ClickablePointsTest, PointsSitWellInsideConcaveShapes) {
    struct Case {
        const char* what;
        std::string coords;
        int depth;
    };
    const Case cases[] = {
        {"L", "(100,100),(140,100),(140,300),(300,300),(300,340),(100,340)", 17},
        {"U", "(100,100),(140,100),(140,300),(260,300),(260,100),(300,100),(300,340),(100,340)",
         17},
        // A ring drawn as one polygon: the outer square, a slit, the inner square backwards.
        {"ring",
         "(100,100),(400,100),(400,400),(100,400),(100,250),(150,250),(150,350),(350,350),"
         "(350,150),(150,150),(150,250),(100,250)",
         22},
        {"C seen from its open side",
         "(0,0),(300,0),(300,40),(40,40),(40,260),(300,260),(300,300),(0,300)", 17},
    };
    for (const Case& c : cases) {
        auto view = load({{"s", c.coords}});
        auto points = findClickablePoints(*view);
        ASSERT_EQ(points.size(), 1u) << c.what;
        const Point p = points[0].point;
        for (int dy = -c.depth; dy <= c.depth; ++dy)
            for (int dx = -c.depth; dx <= c.depth; ++dx)
                ASSERT_EQ(view->hotspotAt(p.x + dx, p.y + dy), 0)
                    << c.what << " at " << p.x << "," << p.y << " offset " << dx << "," << dy;
    }
}

// A grid of squares listed in a scrambled order comes back row by row, left to right.
TEST_F(ClickablePointsTest, ReadingOrderOnAGeneratedView) {
    std::vector<Spot> spots;
    std::vector<std::string> expected, stored;
    const int rows = 4, cols = 5;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            expected.push_back("r" + std::to_string(r) + "c" + std::to_string(c));
    std::vector<int> order(rows * cols);
    for (int i = 0; i < rows * cols; ++i) order[i] = (i * 7) % (rows * cols);
    for (int i : order) {
        stored.push_back(expected[i]);
        // Heights differ so that tops, not only centres, vary along a row.
        const int r = i / cols, c = i % cols, h = 20 + 6 * c;
        spots.push_back(
            {nullptr, rect(20 + c * 120, 20 + r * 110, 100 + c * 120, 20 + r * 110 + h)});
    }
    for (size_t i = 0; i < spots.size(); ++i) spots[i].name = stored[i].c_str();
    auto view = load(spots);
    auto points = findClickablePoints(*view);
    std::vector<std::string> got = names(*view, points);
    EXPECT_EQ(got, expected);
    // A point just below a line's lowest pixel starts a line of its own, even when it lies
    // left of that line; one at that pixel joins it.
    auto below = load({{"top", rect(100, 100, 200, 140)}, {"low", rect(0, 132, 50, 150)}});
    EXPECT_EQ(names(*below, findClickablePoints(*below)), (std::vector<std::string>{"top", "low"}));
    auto level = load({{"top", rect(100, 100, 200, 140)}, {"low", rect(0, 130, 50, 150)}});
    EXPECT_EQ(names(*level, findClickablePoints(*level)), (std::vector<std::string>{"low", "top"}));
}

TEST_F(ClickablePointsTest, CacheFollowsTheActiveHotspots) {
    auto view = load({{"a", rect(10, 10, 50, 50), "(q==0)"}, {"b", rect(100, 10, 150, 50)}});
    ClickablePoints cache;
    EXPECT_EQ(names(*view, cache.of(*view)), (std::vector<std::string>{"a", "b"}));
    g().variables["q"] = 1;
    view->reevaluateConditions();
    EXPECT_EQ(names(*view, cache.of(*view)), (std::vector<std::string>{"b"}));
    g().variables["q"] = 0;
    view->reevaluateConditions();
    const auto& again = cache.of(*view);
    EXPECT_EQ(names(*view, again), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(&again, &cache.of(*view));
}

}  // namespace
