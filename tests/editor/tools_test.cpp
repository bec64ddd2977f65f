#include <gtest/gtest.h>

#include "editor/editor_model.h"

namespace {

// Records what the tools ask of the window.
struct FakeHost : ToolHost {
    bool confined = false;
    bool answerOk = true;
    int questions = 0;
    int noOverlay = 0;
    int warps = 0;
    int warpX = -1, warpY = -1;
    void restrictCursor() override { confined = true; }
    void releaseCursor() override { confined = false; }
    bool askClosePolygon() override {
        ++questions;
        return answerOk;
    }
    void setCursorPosition(int x, int y) override {
        ++warps;
        warpX = x;
        warpY = y;
    }
    void noOverlayMessage() override { ++noOverlay; }
};

class Tools : public ::testing::Test {
protected:
    Tools() : model(&host) {}
    void left(double x, double y) { model.mouseDown(LeftButton, x, y); }
    void right(double x, double y) { model.mouseDown(RightButton, x, y); }
    void drag(double x, double y) { model.mouseMove(LeftButton, x, y); }
    // Draws a polygon through the points and closes it at the first one.
    void drawPolygon(std::initializer_list<std::pair<int, int>> pts) {
        model.drawbut();
        for (auto [x, y] : pts) left(x, y);
        left(pts.begin()->first + 1, pts.begin()->second + 1);
    }
    void expectVertices(const shape& s, std::initializer_list<std::pair<int, int>> pts) {
        ASSERT_EQ(s.numPoint(), static_cast<int>(pts.size()));
        int16_t i = 1;
        for (auto [x, y] : pts) {
            EXPECT_EQ(s.x(i), x) << "vertex " << i;
            EXPECT_EQ(s.y(i), y) << "vertex " << i;
            ++i;
        }
    }

    FakeHost host;
    EditorModel model;
};

TEST_F(Tools, TwoClicksAndCloseMakeARectangle) {
    model.drawbut();
    EXPECT_TRUE(host.confined);
    EXPECT_TRUE(model.constrainVisible);
    EXPECT_EQ(model.highlightedTool, ModeDraw);
    left(100.7, 50.2);
    EXPECT_EQ(model.numvertex, "No. Vert: 1");
    EXPECT_EQ(model.xycoord, "(100, 50)");
    left(300, 200);
    EXPECT_EQ(model.numvertex, "No. Vert: 2");
    left(105, 55);  // near vertex 1: asks, OK closes
    EXPECT_EQ(host.questions, 1);
    ASSERT_EQ(model.shapes.size(), 1u);
    expectVertices(model.shapes[0], {{100, 50}, {300, 50}, {300, 200}, {100, 200}});
    EXPECT_EQ(model.shapes[0].getName(), "Shape1");
    EXPECT_EQ(model.selectedShape, 1);
    EXPECT_EQ(model.numvertex, "No. Vert: 4");
    EXPECT_FALSE(model.drawing);
    EXPECT_FALSE(host.confined);
    EXPECT_FALSE(model.constrainVisible);
    EXPECT_EQ(model.editMode, ModeDraw);  // the next press starts another polygon

    left(10, 10);
    EXPECT_TRUE(model.drawing);
    EXPECT_EQ(model.selectedShape, 0);
}

TEST_F(Tools, CloseRuleAndCancel) {
    model.drawbut();
    left(100, 100);
    left(110, 100);  // closer than 20 to vertex 1, one vertex: OK drops the press
    EXPECT_EQ(host.questions, 1);
    EXPECT_EQ(model.newShape->numPoint(), 1);
    host.answerOk = false;
    left(110, 100);  // Cancel: the press becomes a vertex
    EXPECT_EQ(model.newShape->numPoint(), 2);
    left(120, 100);  // exactly 20 away: no question
    EXPECT_EQ(host.questions, 2);
    EXPECT_EQ(model.newShape->numPoint(), 3);
    left(150, 150);
    host.answerOk = true;
    left(101, 101);
    ASSERT_EQ(model.shapes.size(), 1u);
    EXPECT_EQ(model.shapes[0].numPoint(), 4);
}

TEST_F(Tools, RightPressUndoesVerticesThenCancels) {
    model.drawbut();
    left(10, 10);
    left(100, 10);
    left(100, 100);
    right(0, 0);
    EXPECT_EQ(model.newShape->numPoint(), 2);
    EXPECT_EQ(model.numvertex, "No. Vert: 2");
    right(0, 0);
    right(0, 0);
    EXPECT_FALSE(model.newShape.has_value());
    EXPECT_FALSE(model.drawing);
    EXPECT_FALSE(host.confined);
    EXPECT_EQ(model.numvertex, "No. Vert: 0");
    EXPECT_EQ(model.editMode, ModeDraw);
}

TEST_F(Tools, ShapeNamesContinueAfterResetView) {
    for (int i = 0; i < 6; ++i) drawPolygon({{10, 10}, {100, 10}, {100, 100}});
    model.resetView();
    drawPolygon({{10, 10}, {100, 10}, {100, 100}});
    ASSERT_EQ(model.shapes.size(), 1u);
    EXPECT_EQ(model.shapes[0].getName(), "Shape7");
}

TEST_F(Tools, SelectCyclesThroughNestedShapes) {
    model.selectbut();
    left(50, 50);
    EXPECT_EQ(model.selectedShape, 0);  // empty view

    drawPolygon({{0, 0}, {300, 0}, {300, 300}, {0, 300}});
    drawPolygon({{40, 40}, {200, 40}, {200, 200}, {40, 200}});
    drawPolygon({{45, 45}, {150, 45}, {150, 150}, {45, 150}});
    drawPolygon({{100, 100}, {400, 100}, {400, 400}});  // does not hold (50, 50)
    model.selectbut();
    model.selectedShape = 0;
    const int expected[] = {1, 2, 3, 0, 1};
    for (int e : expected) {
        left(50, 50);
        EXPECT_EQ(model.selectedShape, e);
    }
    model.mouseDown(RightButton, 50, 50);  // select acts on the left button only
    EXPECT_EQ(model.selectedShape, 1);
}

TEST_F(Tools, DeleteVertexKeepsTriangles) {
    drawPolygon({{10, 10}, {100, 10}, {100, 100}, {10, 100}});
    model.delpoint();
    EXPECT_EQ(model.editMode, ModeDelPoint);
    EXPECT_TRUE(host.confined);
    left(102, 98);
    expectVertices(model.shapes[0], {{10, 10}, {100, 10}, {10, 100}});
    EXPECT_EQ(model.numvertex, "No. Vert: 3");
    left(100, 10);
    EXPECT_EQ(model.shapes[0].numPoint(), 3);
    right(0, 0);
    EXPECT_EQ(model.editMode, ModeNone);
    EXPECT_FALSE(host.confined);
    EXPECT_FALSE(model.constrainVisible);
}

TEST_F(Tools, InsertThenDragTheNewVertex) {
    drawPolygon({{100, 100}, {200, 100}, {200, 200}, {100, 200}});
    model.inspoint();
    left(204, 103);  // hits vertex 2, the new vertex goes before it
    EXPECT_EQ(model.editMode, ModeMovePoint);
    EXPECT_EQ(model.highlightedTool, ModeMovePoint);
    EXPECT_EQ(model.heldVertex, 2);
    expectVertices(model.shapes[0], {{100, 100}, {204, 103}, {200, 100}, {200, 200}, {100, 200}});
    drag(250, 60.5);
    expectVertices(model.shapes[0], {{100, 100}, {250, 60}, {200, 100}, {200, 200}, {100, 200}});
    EXPECT_EQ(host.warpX, 250);
    EXPECT_EQ(host.warpY, 60);
    // A vertex exactly 10 away is no hit.
    left(110, 200);
    EXPECT_EQ(model.heldVertex, 0);
    drag(300, 300);
    EXPECT_EQ(model.shapes[0].x(5), 100);
    // Drags with both buttons do nothing.
    left(101, 201);
    model.mouseMove(LeftButton | RightButton, 300, 300);
    EXPECT_EQ(model.shapes[0].x(5), 101 - 1);
}

TEST_F(Tools, MoveShapeStaysWithinTheView) {
    drawPolygon({{100, 100}, {200, 100}, {200, 200}});
    model.shapemove();
    EXPECT_EQ(model.highlightedTool, ModeShapeMove);
    left(199, 101);
    EXPECT_EQ(model.heldVertex, 2);
    drag(640, 150);  // the held vertex lands on x 640: allowed
    expectVertices(model.shapes[0], {{540, 150}, {640, 150}, {640, 250}});
    drag(641, 150);  // one pixel further: refused, pointer back on the vertex
    expectVertices(model.shapes[0], {{540, 150}, {640, 150}, {640, 250}});
    EXPECT_EQ(host.warpX, 640);
    EXPECT_EQ(host.warpY, 150);
    drag(640, 380);  // bottom vertex lands on y 480
    EXPECT_EQ(model.shapes[0].y(3), 480);
    drag(640, 381);
    EXPECT_EQ(model.shapes[0].y(3), 480);
    drag(99, 380);  // the left vertex would go below 0
    EXPECT_EQ(model.shapes[0].x(1), 540);
    model.mouseMove(RightButton, 0, 0);
    EXPECT_EQ(model.editMode, ModeNone);
}

TEST_F(Tools, ShowPolygonsAndButtons) {
    drawPolygon({{100, 100}, {200, 100}, {200, 200}});
    model.toggleShowPolygons();
    EXPECT_FALSE(model.showPolygons);
    EXPECT_EQ(model.selectedShape, 0);
    EXPECT_EQ(model.shapeNameCaption(), "");
    EXPECT_FALSE(model.propertybut());
    EXPECT_TRUE(model.showPolygons);
    model.toggleShowPolygons();
    model.selectbut();
    EXPECT_TRUE(model.showPolygons);
    EXPECT_FALSE(host.confined);
    left(150, 120);
    EXPECT_EQ(model.selectedShape, 1);
    EXPECT_EQ(model.shapeNameCaption(), "Shape1");
    EXPECT_TRUE(model.propertybut());
    model.delbut();
    EXPECT_TRUE(model.shapes.empty());
    EXPECT_EQ(model.selectedShape, 0);
    EXPECT_EQ(model.numshapeCaption(), "No. Shp:  0");
}

TEST_F(Tools, PositionTestOverlay) {
    model.positionoverlay();
    EXPECT_EQ(host.noOverlay, 1);
    EXPECT_EQ(model.editMode, ModeNone);
    model.testOverlay.emplace();
    model.movepoint();  // no selection: nothing
    model.positionoverlay();
    EXPECT_EQ(model.editMode, ModeOverlay);
    EXPECT_TRUE(host.confined);
    EXPECT_EQ(model.highlightedTool, 0);
    left(30.4, 40.6);
    EXPECT_EQ(model.testOverlay->getX(), 30);
    EXPECT_EQ(model.testOverlay->getY(), 41);
    drag(50, 60);
    EXPECT_EQ(model.testOverlay->getX(), 50);
    right(0, 0);
    EXPECT_EQ(model.editMode, ModeNone);
    EXPECT_FALSE(host.confined);
}

TEST_F(Tools, StaleSelectionIsHarmless) {
    drawPolygon({{100, 100}, {200, 100}, {200, 200}});
    model.movepoint();
    left(100, 100);
    EXPECT_EQ(model.heldVertex, 1);
    // The shape disappears under the tool (undo of its drawing).
    model.restore(ViewDocument{"View", "", {}});
    EXPECT_EQ(model.selectedShape, 0);
    drag(10, 10);
    left(10, 10);
    model.inspoint();
    model.editMode = ModeInsPoint;
    left(10, 10);
    model.editMode = ModeShapeMove;
    left(10, 10);
    drag(20, 20);
    SUCCEED();
}

}  // namespace
