#include "editor/undo_commands.h"

#include "editor/editor_model.h"

void UndoTarget::changed() {
    if (pushing_) return;
    model_.dropStaleSelection();
    if (show_) show_();
}

void ViewCommand::redo() {
    apply();
    target_.changed();
}

void ViewCommand::undo() {
    revert();
    target_.changed();
}

// ---------------------------------------------------------------- shapes

DrawShapeCommand::DrawShapeCommand(UndoTarget& target, const shape& shp)
    : ViewCommand(target, "Draw Polygon"), shape_(shp) {}

void DrawShapeCommand::apply() {
    edits::appendShape(model(), shape_);
}

void DrawShapeCommand::revert() {
    edits::removeLastShape(model());
}

DeleteShapeCommand::DeleteShapeCommand(UndoTarget& target, int16_t index)
    : ViewCommand(target, "Delete Polygon"), index_(index) {
    if (index >= 1 && index <= model().shapeCount()) removed_ = model().shapes[index - 1];
}

void DeleteShapeCommand::apply() {
    edits::removeShape(model(), index_);
}

void DeleteShapeCommand::revert() {
    edits::insertShape(model(), index_, removed_);
}

MoveShapeCommand::MoveShapeCommand(UndoTarget& target, unsigned gesture, int16_t index, int16_t dx,
                                   int16_t dy)
    : ViewCommand(target, "Move Polygon"), gesture_(gesture), index_(index), dx_(dx), dy_(dy) {}

bool MoveShapeCommand::mergeWith(const QUndoCommand* other) {
    const auto* move = dynamic_cast<const MoveShapeCommand*>(other);
    if (!move || move->gesture_ != gesture_ || move->index_ != index_) return false;
    dx_ += move->dx_;
    dy_ += move->dy_;
    setObsolete(dx_ == 0 && dy_ == 0);  // dragged back to where it was: no step
    return true;
}

void MoveShapeCommand::apply() {
    edits::translateShape(model(), index_, dx_, dy_);
}

void MoveShapeCommand::revert() {
    edits::translateShape(model(), index_, -dx_, -dy_);
}

// ---------------------------------------------------------------- vertices

MoveVertexCommand::MoveVertexCommand(UndoTarget& target, unsigned gesture, int16_t index,
                                     int16_t vertex, int16_t x, int16_t y)
    : ViewCommand(target, "Move Vertex"),
      gesture_(gesture),
      index_(index),
      vertex_(vertex),
      toX_(x),
      toY_(y) {
    const shape* shp =
        index >= 1 && index <= model().shapeCount() ? &model().shapes[index - 1] : nullptr;
    fromX_ = shp ? shp->x(vertex) : x;
    fromY_ = shp ? shp->y(vertex) : y;
}

bool MoveVertexCommand::mergeWith(const QUndoCommand* other) {
    const auto* move = dynamic_cast<const MoveVertexCommand*>(other);
    if (!move || move->gesture_ != gesture_ || move->index_ != index_ || move->vertex_ != vertex_)
        return false;
    toX_ = move->toX_;
    toY_ = move->toY_;
    setObsolete(toX_ == fromX_ && toY_ == fromY_);
    return true;
}

void MoveVertexCommand::apply() {
    edits::setVertex(model(), index_, vertex_, toX_, toY_);
}

void MoveVertexCommand::revert() {
    edits::setVertex(model(), index_, vertex_, fromX_, fromY_);
}

InsertVertexCommand::InsertVertexCommand(UndoTarget& target, unsigned gesture, int16_t index,
                                         int16_t before, int16_t x, int16_t y)
    : ViewCommand(target, "Insert Vertex"),
      gesture_(gesture),
      index_(index),
      before_(before),
      x_(x),
      y_(y) {}

bool InsertVertexCommand::mergeWith(const QUndoCommand* other) {
    // The new vertex sits at the position it was inserted before.
    const auto* move = dynamic_cast<const MoveVertexCommand*>(other);
    if (!move || move->gesture_ != gesture_ || move->index_ != index_ || move->vertex_ != before_)
        return false;
    x_ = move->toX_;
    y_ = move->toY_;
    return true;
}

void InsertVertexCommand::apply() {
    edits::insertVertex(model(), index_, before_, x_, y_);
}

void InsertVertexCommand::revert() {
    edits::removeVertex(model(), index_, before_);
}

DeleteVertexCommand::DeleteVertexCommand(UndoTarget& target, int16_t index, int16_t vertex)
    : ViewCommand(target, "Delete Vertex"), index_(index), vertex_(vertex), x_(0), y_(0) {
    if (index >= 1 && index <= model().shapeCount()) {
        x_ = model().shapes[index - 1].x(vertex);
        y_ = model().shapes[index - 1].y(vertex);
    }
}

void DeleteVertexCommand::apply() {
    edits::removeVertex(model(), index_, vertex_);
}

void DeleteVertexCommand::revert() {
    edits::insertVertex(model(), index_, vertex_, x_, y_);
}

// ---------------------------------------------------------------- properties

HotspotPropertiesCommand::HotspotPropertiesCommand(UndoTarget& target, int16_t index,
                                                   const HotspotFields& fields)
    : ViewCommand(target, "Hotspot Properties"), index_(index), after_(fields) {
    if (index >= 1 && index <= model().shapeCount())
        before_ = HotspotFields::of(model().shapes[index - 1]);
}

void HotspotPropertiesCommand::apply() {
    edits::setHotspot(model(), index_, after_);
}

void HotspotPropertiesCommand::revert() {
    edits::setHotspot(model(), index_, before_);
}

ViewPropertiesCommand::ViewPropertiesCommand(UndoTarget& target, const ViewFields& fields)
    : ViewCommand(target, "View Properties"),
      before_(edits::viewFields(target.model())),
      after_(fields) {}

void ViewPropertiesCommand::apply() {
    edits::setView(model(), after_);
}

void ViewPropertiesCommand::revert() {
    edits::setView(model(), before_);
}
