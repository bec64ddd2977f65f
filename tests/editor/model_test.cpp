#include <gtest/gtest.h>

#include "editor/editor_model.h"
#include "editor/overlay.h"
#include "editor/shape.h"

namespace {

shape makeShape(std::initializer_list<std::pair<int, int>> pts) {
    shape s;
    s.makeshape();
    for (auto [x, y] : pts) s.addPoint(static_cast<int16_t>(x), static_cast<int16_t>(y));
    return s;
}

TEST(Shape, VertexEditingKeepsOneBasedOrder) {
    shape s = makeShape({{1, 1}, {2, 2}, {3, 3}});
    EXPECT_TRUE(s.addPointAt(9, 9, 2));
    EXPECT_EQ(s.x(2), 9);
    EXPECT_EQ(s.x(3), 2);
    EXPECT_FALSE(s.addPointAt(1, 1, 0));
    EXPECT_FALSE(s.addPointAt(1, 1, 6));
    EXPECT_TRUE(s.setX(100, 4));  // the last vertex stays the last
    EXPECT_EQ(s.numPoint(), 4);
    EXPECT_EQ(s.x(4), 100);
    EXPECT_TRUE(s.delpoint(1));
    EXPECT_EQ(s.x(1), 9);
    EXPECT_FALSE(s.delpoint(4));
    EXPECT_EQ(s.x(42), 0);  // out of range reads nothing rather than crashing
}

TEST(InsidePolygon, EdgesAndVertices) {
    const shape rect = makeShape({{10, 10}, {100, 10}, {100, 50}, {10, 50}});
    EXPECT_TRUE(insidePolygon(rect, 50, 30));
    EXPECT_FALSE(insidePolygon(rect, 50, 10));  // top edge is outside
    EXPECT_TRUE(insidePolygon(rect, 50, 50));   // bottom edge is inside
    EXPECT_FALSE(insidePolygon(rect, 50, 51));
    EXPECT_FALSE(insidePolygon(rect, 101, 30));
    EXPECT_TRUE(insidePolygon(rect, 100, 30));  // on the right edge
    EXPECT_FALSE(insidePolygon(rect, 5, 30));

    // A ray through a vertex is counted once.
    const shape diamond = makeShape({{50, 0}, {100, 50}, {50, 100}, {0, 50}});
    EXPECT_TRUE(insidePolygon(diamond, 20, 50));
    EXPECT_FALSE(insidePolygon(diamond, 101, 50));
    EXPECT_FALSE(insidePolygon(shape(), 1, 1));
}

TEST(Overlay, ParseWordsAndBlanks) {
    overlay o;
    o.parse("  addoverlayimage door {door.bmp} 10 20 3  ");
    EXPECT_EQ(o.getHandle(), "door");
    EXPECT_EQ(o.getFile(), "{door.bmp}");
    EXPECT_EQ(o.getX(), 10);
    EXPECT_EQ(o.getY(), 20);
    EXPECT_EQ(o.getZ(), 3);

    overlay shifted;
    shifted.parse("addoverlayimage  door {door.bmp} 10 20 3");
    EXPECT_EQ(shifted.getHandle(), "");
    EXPECT_EQ(shifted.getFile(), "door");
    EXPECT_EQ(shifted.getX(), 0);  // "{door.bmp}" is no number: the parse stops there
    EXPECT_EQ(shifted.getY(), 0);

    overlay partial;
    partial.parse("addoverlayimage a b 5 x 7");
    EXPECT_EQ(partial.getX(), 5);
    EXPECT_EQ(partial.getY(), 0);
    EXPECT_EQ(partial.getZ(), 0);

    overlay big;
    big.parse("addoverlayimage a b 40000 -5");
    EXPECT_EQ(big.getX(), 0);  // out of the 16-bit range
}

TEST(EditorModel, ResetViewKeepsSessionState) {
    EditorModel m;
    m.viewname = "Hall";
    m.onloadscript = "x";
    m.shapes.push_back(makeShape({{0, 0}, {5, 0}, {5, 5}}));
    m.selectedShape = 1;
    m.shapeCounter = 7;
    m.lineColour = 0x123456;
    m.showPolygons = false;
    m.baseImagePath = "/g/room.bmp";
    m.testOverlay.emplace();
    m.resetView();
    EXPECT_EQ(m.viewname, "View");
    EXPECT_EQ(m.onloadscript, "");
    EXPECT_TRUE(m.shapes.empty());
    EXPECT_EQ(m.selectedShape, 0);
    EXPECT_EQ(m.shapeCounter, 7);
    EXPECT_EQ(m.lineColour, 0x123456u);
    EXPECT_FALSE(m.showPolygons);
    EXPECT_EQ(m.baseImagePath, "/g/room.bmp");
    EXPECT_TRUE(m.testOverlay.has_value());
}

TEST(EditorModel, Captions) {
    EditorModel m;
    EXPECT_EQ(m.numvertex, "No. Vert: 0");
    m.shapes.push_back(makeShape({{0, 0}, {5, 0}, {5, 5}}));
    m.shapes.push_back(makeShape({{0, 0}, {5, 0}, {5, 5}}));
    m.shapes.push_back(makeShape({{0, 0}, {5, 0}, {5, 5}, {0, 5}}));
    EXPECT_EQ(m.numshapeCaption(), "No. Shp:  3");
    m.showVertexCount(3);
    EXPECT_EQ(m.numvertex, "No. Vert: 4");
    m.showVertexCount(9);
    EXPECT_EQ(m.numvertex, "No. Vert: 0");
}

}  // namespace
