#pragma once
// The steps of the undo history, one command class per kind of edit. redo() makes the
// change through the view's edit primitives and undo() makes its inverse. The moves of
// one drag merge into the step that began it: commands carry the number of the mouse
// gesture they belong to, and only commands of the same gesture merge.
#include <QUndoCommand>
#include <functional>

#include "editor/shape.h"
#include "editor/view_edits.h"

class EditorModel;

// What the commands work on, and who shows the view again after an undo or a redo.
// A tool's own change is shown by the tool, so its first redo (during the push) only
// changes the model.
class UndoTarget {
public:
    UndoTarget(EditorModel& model, std::function<void()> show)
        : model_(model), show_(std::move(show)) {}
    EditorModel& model() { return model_; }
    void setPushing(bool on) { pushing_ = on; }
    // After undo() or redo(): selections that no longer exist go, the view is shown.
    void changed();

private:
    EditorModel& model_;
    std::function<void()> show_;
    bool pushing_ = false;
};

// Ids for QUndoCommand::mergeWith: the drag of one vertex (its insertion included) and
// the drag of a whole polygon.
enum UndoMergeId { kVertexDragId = 1, kShapeDragId = 2 };

// The common frame: redo() and undo() make the change, then tell the target.
class ViewCommand : public QUndoCommand {
public:
    void redo() final;
    void undo() final;

protected:
    ViewCommand(UndoTarget& target, const char* text) : QUndoCommand(text), target_(target) {}
    EditorModel& model() { return target_.model(); }
    virtual void apply() = 0;
    virtual void revert() = 0;

private:
    UndoTarget& target_;
};

class DrawShapeCommand : public ViewCommand {
public:
    DrawShapeCommand(UndoTarget& target, const shape& shp);

private:
    void apply() override;
    void revert() override;
    shape shape_;
};

class DeleteShapeCommand : public ViewCommand {
public:
    DeleteShapeCommand(UndoTarget& target, int16_t index);

private:
    void apply() override;
    void revert() override;
    int16_t index_;
    shape removed_;
};

class MoveVertexCommand : public ViewCommand {
public:
    MoveVertexCommand(UndoTarget& target, unsigned gesture, int16_t index, int16_t vertex,
                      int16_t x, int16_t y);
    int id() const override { return kVertexDragId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    friend class InsertVertexCommand;
    void apply() override;
    void revert() override;
    unsigned gesture_;
    int16_t index_, vertex_;
    int16_t fromX_, fromY_, toX_, toY_;
};

// The insert tool drags the vertex it inserts; that drag becomes part of this step.
class InsertVertexCommand : public ViewCommand {
public:
    InsertVertexCommand(UndoTarget& target, unsigned gesture, int16_t index, int16_t before,
                        int16_t x, int16_t y);
    int id() const override { return kVertexDragId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply() override;
    void revert() override;
    unsigned gesture_;
    int16_t index_, before_;
    int16_t x_, y_;
};

class DeleteVertexCommand : public ViewCommand {
public:
    DeleteVertexCommand(UndoTarget& target, int16_t index, int16_t vertex);

private:
    void apply() override;
    void revert() override;
    int16_t index_, vertex_;
    int16_t x_, y_;
};

class MoveShapeCommand : public ViewCommand {
public:
    MoveShapeCommand(UndoTarget& target, unsigned gesture, int16_t index, int16_t dx, int16_t dy);
    int id() const override { return kShapeDragId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply() override;
    void revert() override;
    unsigned gesture_;
    int16_t index_;
    int dx_, dy_;
};

class HotspotPropertiesCommand : public ViewCommand {
public:
    HotspotPropertiesCommand(UndoTarget& target, int16_t index, const HotspotFields& fields);

private:
    void apply() override;
    void revert() override;
    int16_t index_;
    HotspotFields before_, after_;
};

class ViewPropertiesCommand : public ViewCommand {
public:
    ViewPropertiesCommand(UndoTarget& target, const ViewFields& fields);

private:
    void apply() override;
    void revert() override;
    ViewFields before_, after_;
};
