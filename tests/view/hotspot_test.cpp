#include "script/variables.h"
#include "support/engine_test.h"
#include "view/coordinates.h"
#include "view/view.h"

namespace {

using HotspotTest = EngineTest;

Hotspot polygon(const std::string& coords, const std::string& name = "h") {
    Hotspot h;
    h.setName(name);
    h.setCoordinates(coords);
    return h;
}

TEST_F(HotspotTest, CoordinateListRules) {
    std::vector<Point> points;
    EXPECT_TRUE(parseCoordinateList("(10,20),(30,40),(50,60)", points));
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[2].x, 50);
    EXPECT_EQ(points[2].y, 60);
    points.clear();
    parseCoordinateList("(1,2),(5)", points);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1].x, 0);
    EXPECT_EQ(points[1].y, 5);
    points.clear();
    EXPECT_FALSE(parseCoordinateList("(1,2", points));
    EXPECT_TRUE(points.empty());
    parseCoordinateList("(-5,99999999999)", points);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].x, -5);
}

struct ListCase {
    const char* word;
    std::vector<std::pair<int32_t, int32_t>> vertices;
};

// Malformed lists read the way the reader has always read them: "(" keeps what was
// gathered before it, and a "," outside parentheses sets x to 0 and keeps it too.
TEST_F(HotspotTest, StrayCharactersInCoordinateLists) {
    const ListCase cases[] = {
        {"12(3,4)", {{123, 4}}},
        {"(1,2),7(8,9)", {{1, 2}, {78, 9}}},
        {"(1,2)5,(6,7)", {{1, 2}, {56, 7}}},
        {"(1,2),,(3,4)", {{1, 2}, {3, 4}}},
        {"(5,6,7)", {{6, 7}}},
        {"(1 2,3)", {{1, 3}}},
        {"x(4,5)", {{0, 5}}},
        {"(4,5)trailing", {{4, 5}}},
        {")", {{0, 0}}},
        {"9)", {{0, 9}}},
    };
    for (const ListCase& c : cases) {
        std::vector<Point> points;
        parseCoordinateList(c.word, points);
        std::vector<std::pair<int32_t, int32_t>> got;
        for (const Point& p : points) got.emplace_back(p.x, p.y);
        EXPECT_EQ(got, c.vertices) << c.word;
    }
}

struct Probe {
    int32_t x, y;
    bool inside;
};

// Half-open edges: the top and left edges are outside, the bottom and right inside.
TEST_F(HotspotTest, CrossingTestPoints) {
    Hotspot rectangle = polygon("(100,100),(200,100),(200,200),(100,200)");
    for (const Probe& p : {Probe{150, 150, true}, Probe{50, 150, false}, Probe{250, 150, false},
                           Probe{150, 100, false}, Probe{150, 200, true}, Probe{100, 150, false},
                           Probe{200, 150, true}, Probe{200, 200, true}, Probe{100, 100, false},
                           Probe{100, 200, false}})
        EXPECT_EQ(rectangle.contains(p.x, p.y), p.inside) << p.x << "," << p.y;
    Hotspot triangle = polygon("(0,0),(100,0),(0,100)");
    for (const Probe& p :
         {Probe{50, 50, true}, Probe{51, 50, false}, Probe{0, 50, false}, Probe{1, 50, true}})
        EXPECT_EQ(triangle.contains(p.x, p.y), p.inside) << p.x << "," << p.y;
    EXPECT_FALSE(polygon("").contains(0, 0));
    // Huge coordinates must not overflow the crossing computation.
    Hotspot big =
        polygon("(-2147483648,-2147483648),(2147483647,-2147483648),(2147483647,2147483647)");
    EXPECT_TRUE(big.contains(2147483000, 0));
}

class ViewHotspots : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        write("v.scn",
              "VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\n"
              "HOTSPOTSTART under CURSOR 2 COORD (0,0),(100,0),(100,100),(0,100) ONCONDITION () "
              "ONCLICKSTART\necho 1\nONCLICKEND\nHOTSPOTEND\n"
              "HOTSPOTSTART over CURSOR 7 COORD (0,0),(100,0),(100,100),(0,100) ONCONDITION "
              "(key==1) ONCLICKSTART\necho 2\nONCLICKEND\nHOTSPOTEND\n"
              "HOTSPOTSTART over CURSOR 6 COORD (200,0),(300,0),(300,100),(200,100) ONCONDITION "
              "() ONCLICKSTART\nONCLICKEND\nHOTSPOTEND\n");
        std::string error;
        scene().setView(std::make_unique<View>(g().variables, g().console));
        ASSERT_TRUE(scene().view()->load("v.scn", engine->folder(), error));
    }
    View& view() { return *scene().view(); }
};

TEST_F(ViewHotspots, LastActiveHotspotWins) {
    EXPECT_EQ(view().hotspotAt(50, 50), 0);  // "over" is inactive: its condition is false
    EXPECT_EQ(view().hotspotCursor(view().hotspotAt(50, 50)), 2);
    EXPECT_EQ(view().hotspotAt(150, 50), -1);
    EXPECT_EQ(view().hotspotCursor(-1), -1);
    run({"let key=1"});
    EXPECT_EQ(view().hotspotAt(50, 50), 1);
    run({"disablehs over"});
    EXPECT_EQ(view().hotspotAt(50, 50), 0);
    EXPECT_EQ(view().hotspotAt(250, 50), -1);
    run({"disablehs"});
    EXPECT_EQ(view().hotspotAt(50, 50), -1);
    run({"enablehs"});
    EXPECT_EQ(view().hotspotAt(250, 50), 2);
    run({"disablehs nothing"});
    EXPECT_EQ(view().hotspotAt(250, 50), 2);
}

TEST_F(ViewHotspots, ConditionsChangeOnlyAtTheirMoments) {
    g().variables["key"] = 1;  // not an assignment by script: nothing re-evaluated
    EXPECT_EQ(view().hotspotAt(50, 50), 0);
    run({"let key=2"});
    EXPECT_EQ(view().hotspotAt(50, 50), 0);
    g().variables["key"] = 1;
    run({"let key=1+"});  // a refused assignment does not re-evaluate either
    EXPECT_EQ(view().hotspotAt(50, 50), 0);
    run({"evalhs"});
    EXPECT_EQ(view().hotspotAt(50, 50), 1);
    run({"lisths"});
    EXPECT_THAT(texts(), ::testing::ElementsAre(
                             "Error in Cmd: let key=1+", "Error parsing expression",
                             "Reevaluating hotspot conditions",
                             "Hotspot List:", "- under = Enabled = Cond True",
                             "- over = Enabled = Cond True", "- over = Enabled = Cond True"));
}

TEST_F(ViewHotspots, ClickScriptIsACopy) {
    Script click = view().hotspotClickScript(0);
    scene().setView(nullptr);
    EXPECT_EQ(click, Script{"echo 1"});
}

}  // namespace

namespace {

// The search must agree with testing every hotspot in order, wherever the polygons lie.
TEST_F(HotspotTest, HotspotAtMatchesAPlainSearch) {
    std::string file = "VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\n";
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
    };
    for (int i = 0; i < 300; ++i) {
        int vertices = next(7);  // 0 to 6: empty and degenerate shapes too
        std::string coords;
        for (int v = 0; v < vertices; ++v)
            coords += (v ? ",(" : "(") + std::to_string(next(900) - 100) + "," +
                      std::to_string(next(700) - 100) + ")";
        file += "HOTSPOTSTART h" + std::to_string(i) + " CURSOR 1 COORD " +
                (coords.empty() ? "x" : coords) + " ONCONDITION " + (i % 5 ? "()" : "(q==1)") +
                " ONCLICKSTART\nONCLICKEND\nHOTSPOTEND\n";
    }
    write("r.scn", file);
    View view(g().variables, g().console);
    std::string error;
    ASSERT_TRUE(view.load("r.scn", engine->folder(), error));
    const View& constView = view;
    view.hotspot(7).setEnabled(false);
    for (int k = 0; k < 5000; ++k) {
        int x = next(900) - 130, y = next(700) - 110;
        int expected = -1;
        for (size_t i = 0; i < constView.hotspotCount(); ++i) {
            const Hotspot& h = constView.hotspot(i);
            if (h.enabled() && h.conditionResult() && h.contains(x, y))
                expected = static_cast<int>(i);
        }
        ASSERT_EQ(constView.hotspotAt(x, y), expected) << x << "," << y;
    }
}

}  // namespace
