#pragma once
// The window's EditSink: every change a tool or dialog makes becomes a step of the
// undo history, made by the step's own redo().
#include "editor/view_edits.h"

class QUndoCommand;
class QUndoStack;
class UndoTarget;

class UndoableEdits : public EditSink {
public:
    UndoableEdits(QUndoStack* stack, UndoTarget& target) : stack_(stack), target_(target) {}

    // A mouse press starts a gesture and a release ends it; the drags of one gesture
    // merge into one step.
    void beginGesture() { ++gesture_; }
    void endGesture() { ++gesture_; }

    void drawShape(const shape& shp) override;
    void deleteShape(int16_t index) override;
    void moveVertex(int16_t index, int16_t vertex, int16_t x, int16_t y) override;
    void insertVertex(int16_t index, int16_t before, int16_t x, int16_t y) override;
    void deleteVertex(int16_t index, int16_t vertex) override;
    void moveShape(int16_t index, int16_t dx, int16_t dy) override;
    void setHotspot(int16_t index, const HotspotFields& fields) override;
    void setViewProperties(const ViewFields& fields) override;

private:
    void push(QUndoCommand* command);

    QUndoStack* stack_;
    UndoTarget& target_;
    unsigned gesture_ = 0;
};
