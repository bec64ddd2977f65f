#include "editor/undoable_edits.h"

#include <QUndoStack>

#include "editor/editor_model.h"
#include "editor/undo_commands.h"

void UndoableEdits::push(QUndoCommand* command) {
    target_.setPushing(true);
    stack_->push(command);
    target_.setPushing(false);
}

void UndoableEdits::drawShape(const shape& shp) {
    push(new DrawShapeCommand(target_, shp));
}

void UndoableEdits::deleteShape(int16_t index) {
    push(new DeleteShapeCommand(target_, index));
}

void UndoableEdits::moveVertex(int16_t index, int16_t vertex, int16_t x, int16_t y) {
    push(new MoveVertexCommand(target_, gesture_, index, vertex, x, y));
}

void UndoableEdits::insertVertex(int16_t index, int16_t before, int16_t x, int16_t y) {
    push(new InsertVertexCommand(target_, gesture_, index, before, x, y));
}

void UndoableEdits::deleteVertex(int16_t index, int16_t vertex) {
    push(new DeleteVertexCommand(target_, index, vertex));
}

void UndoableEdits::moveShape(int16_t index, int16_t dx, int16_t dy) {
    push(new MoveShapeCommand(target_, gesture_, index, dx, dy));
}

// The dialogs hand over what was typed; an Okay that changes nothing is no step.
void UndoableEdits::setHotspot(int16_t index, const HotspotFields& fields) {
    EditorModel& m = target_.model();
    if (index < 1 || index > m.shapeCount() || HotspotFields::of(m.shapes[index - 1]) == fields)
        return;
    push(new HotspotPropertiesCommand(target_, index, fields));
}

void UndoableEdits::setViewProperties(const ViewFields& fields) {
    if (edits::viewFields(target_.model()) == fields) return;
    push(new ViewPropertiesCommand(target_, fields));
}
