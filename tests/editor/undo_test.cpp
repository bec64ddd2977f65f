// The undo history: every tool and dialog edit is one step named after it, a drag is
// one step, and undoing or redoing puts back exactly the view it had.
#include <gtest/gtest.h>

#include <QUndoStack>
#include <vector>

#include "editor/editor_model.h"
#include "editor/undo_commands.h"
#include "editor/undoable_edits.h"

namespace {

class Undo : public ::testing::Test {
protected:
    Undo() { model.setEditSink(&edits); }
    // A press starts a gesture, as the window does; drags follow it.
    void press(double x, double y) {
        edits.beginGesture();
        model.mouseDown(LeftButton, x, y);
    }
    void drag(double x, double y) { model.mouseMove(LeftButton, x, y); }
    void release() { edits.endGesture(); }
    void drawTriangle() {
        model.drawbut();
        press(100, 100);
        press(200, 100);
        press(200, 200);
        press(101, 101);  // closes it: the null host answers OK
    }

    EditorModel model;
    QUndoStack stack;
    int shown = 0;
    UndoTarget target{model, [this] { ++shown; }};
    UndoableEdits edits{&stack, target};
};

TEST_F(Undo, EveryEditIsOneNamedStepAndUndoRedoRestoreTheView) {
    std::vector<ViewDocument> states{model.document()};
    std::vector<QString> texts;
    auto step = [&](const char* text) {
        ASSERT_EQ(stack.count(), static_cast<int>(states.size())) << text;
        EXPECT_EQ(stack.text(stack.count() - 1), text);
        EXPECT_NE(model.document(), states.back()) << text;
        states.push_back(model.document());
        texts.push_back(text);
    };

    drawTriangle();
    step("Draw Polygon");

    model.movepoint();
    press(200, 200);
    drag(220, 230);
    drag(250, 260);
    release();
    step("Move Vertex");

    model.inspoint();
    press(200, 100);  // a new vertex before vertex 2, then dragged
    drag(180, 60);
    drag(170, 50);
    release();
    step("Insert Vertex");
    EXPECT_EQ(model.shapes[0].x(2), 170);

    model.delpoint();
    press(250, 260);
    release();
    step("Delete Vertex");

    model.shapemove();
    press(100, 100);
    drag(110, 105);
    drag(130, 120);
    release();
    step("Move Polygon");

    HotspotFields door{"Door", 5, "a==1", "load hall.scn"};
    model.edits().setHotspot(1, door);
    step("Hotspot Properties");

    model.edits().setViewProperties(ViewFields{"Hall", "let a=1"});
    step("View Properties");

    model.selectedShape = 1;
    model.delbut();
    step("Delete Polygon");

    EXPECT_EQ(shown, 0);  // a tool shows its own change
    for (size_t i = states.size() - 1; i > 0; --i) {
        EXPECT_EQ(stack.undoText(), texts[i - 1]);
        stack.undo();
        EXPECT_EQ(model.document(), states[i - 1]) << "undo of " << texts[i - 1].toStdString();
    }
    EXPECT_EQ(shown, static_cast<int>(texts.size()));
    for (size_t i = 1; i < states.size(); ++i) {
        stack.redo();
        EXPECT_EQ(model.document(), states[i]) << "redo of " << texts[i - 1].toStdString();
    }
}

TEST_F(Undo, DragsMergeOnlyWithinOneGesture) {
    drawTriangle();
    const ViewDocument drawn = model.document();
    model.movepoint();
    press(200, 200);
    for (int i = 1; i <= 20; ++i) drag(200 + i, 200 + i);
    release();
    EXPECT_EQ(stack.count(), 2);
    EXPECT_EQ(model.shapes[0].x(3), 220);

    // The next drag of the same vertex is a step of its own.
    press(220, 220);
    drag(300, 300);
    release();
    EXPECT_EQ(stack.count(), 3);
    stack.undo();
    EXPECT_EQ(model.shapes[0].x(3), 220);
    stack.undo();
    EXPECT_EQ(model.document(), drawn);
    stack.redo();
    stack.redo();
    EXPECT_EQ(model.shapes[0].x(3), 300);

    // Dragged away and back: nothing changed, so no step.
    press(300, 300);
    drag(350, 310);
    drag(300, 300);
    release();
    EXPECT_EQ(stack.count(), 3);

    // The whole polygon likewise, and a press that moves nothing is no step.
    model.shapemove();
    press(100, 100);
    drag(105, 100);
    drag(100, 100);
    release();
    press(100, 100);
    release();
    EXPECT_EQ(stack.count(), 3);
    press(100, 100);
    drag(90, 95);
    drag(80, 90);
    release();
    EXPECT_EQ(stack.count(), 4);
    EXPECT_EQ(stack.text(3), "Move Polygon");
    EXPECT_EQ(model.shapes[0].x(1), 80);
    stack.undo();
    EXPECT_EQ(model.shapes[0].x(1), 100);
    EXPECT_EQ(model.shapes[0].y(1), 100);
}

TEST_F(Undo, DialogsThatChangeNothingAddNoStep) {
    drawTriangle();
    model.edits().setHotspot(1, HotspotFields::of(model.shapes[0]));
    model.edits().setViewProperties(ViewFields{model.viewname, model.onloadscript});
    model.edits().setHotspot(7, HotspotFields{});  // no such shape
    EXPECT_EQ(stack.count(), 1);
}

TEST_F(Undo, UndoDropsASelectionThatNoLongerExists) {
    drawTriangle();
    EXPECT_EQ(model.selectedShape, 1);
    model.movepoint();
    press(100, 100);
    EXPECT_EQ(model.heldVertex, 1);
    stack.undo();
    EXPECT_TRUE(model.shapes.empty());
    EXPECT_EQ(model.selectedShape, 0);
    EXPECT_EQ(model.heldVertex, 0);
    EXPECT_EQ(model.numvertex, "No. Vert: 0");
    drag(50, 50);  // the tool finds nothing to move
    EXPECT_EQ(stack.count(), 1);
}

}  // namespace
