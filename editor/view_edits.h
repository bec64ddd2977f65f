#pragma once
// The changes the tools and dialogs make to the view. A tool describes its change to
// an EditSink, which makes it: at once (DirectEdits, when no window keeps a history)
// or as a step of the window's undo history. The primitives below make each change and
// its inverse, so both ways change the model alike.
#include <cstdint>
#include <string>

#include "editor/shape.h"

class EditorModel;

// What the hotspot dialog sets on a shape.
struct HotspotFields {
    std::string name;
    int16_t cursor = 0;
    std::string cond;
    std::string script;

    static HotspotFields of(const shape& shp);
    bool operator==(const HotspotFields& o) const {
        return name == o.name && cursor == o.cursor && cond == o.cond && script == o.script;
    }
    bool operator!=(const HotspotFields& o) const { return !(*this == o); }
};

// What the view dialog sets.
struct ViewFields {
    std::string name;
    std::string script;

    bool operator==(const ViewFields& o) const { return name == o.name && script == o.script; }
    bool operator!=(const ViewFields& o) const { return !(*this == o); }
};

// Shape and vertex positions are 1-based, as everywhere in the editor; the caller
// passes positions that exist.
class EditSink {
public:
    virtual ~EditSink() = default;
    // A polygon completed with the Draw tool; it goes to the end of the list.
    virtual void drawShape(const shape& shp) = 0;
    virtual void deleteShape(int16_t index) = 0;
    virtual void moveVertex(int16_t index, int16_t vertex, int16_t x, int16_t y) = 0;
    // Inserts (x, y) before vertex `before`.
    virtual void insertVertex(int16_t index, int16_t before, int16_t x, int16_t y) = 0;
    virtual void deleteVertex(int16_t index, int16_t vertex) = 0;
    virtual void moveShape(int16_t index, int16_t dx, int16_t dy) = 0;
    virtual void setHotspot(int16_t index, const HotspotFields& fields) = 0;
    virtual void setViewProperties(const ViewFields& fields) = 0;
};

// The primitive changes. Each leaves the model alone when a position does not exist,
// so a history that no longer fits the view cannot corrupt it.
namespace edits {

void appendShape(EditorModel& m, const shape& shp);
void removeLastShape(EditorModel& m);
void insertShape(EditorModel& m, int16_t index, const shape& shp);
void removeShape(EditorModel& m, int16_t index);
void setVertex(EditorModel& m, int16_t index, int16_t vertex, int16_t x, int16_t y);
void insertVertex(EditorModel& m, int16_t index, int16_t before, int16_t x, int16_t y);
void removeVertex(EditorModel& m, int16_t index, int16_t vertex);
void translateShape(EditorModel& m, int16_t index, int dx, int dy);
void setHotspot(EditorModel& m, int16_t index, const HotspotFields& fields);
void setView(EditorModel& m, const ViewFields& fields);
ViewFields viewFields(const EditorModel& m);

}  // namespace edits

// Makes every change at once, with no history.
class DirectEdits : public EditSink {
public:
    explicit DirectEdits(EditorModel& model) : model_(&model) {}
    void drawShape(const shape& shp) override { edits::appendShape(*model_, shp); }
    void deleteShape(int16_t index) override { edits::removeShape(*model_, index); }
    void moveVertex(int16_t index, int16_t vertex, int16_t x, int16_t y) override {
        edits::setVertex(*model_, index, vertex, x, y);
    }
    void insertVertex(int16_t index, int16_t before, int16_t x, int16_t y) override {
        edits::insertVertex(*model_, index, before, x, y);
    }
    void deleteVertex(int16_t index, int16_t vertex) override {
        edits::removeVertex(*model_, index, vertex);
    }
    void moveShape(int16_t index, int16_t dx, int16_t dy) override {
        edits::translateShape(*model_, index, dx, dy);
    }
    void setHotspot(int16_t index, const HotspotFields& fields) override {
        edits::setHotspot(*model_, index, fields);
    }
    void setViewProperties(const ViewFields& fields) override { edits::setView(*model_, fields); }

private:
    EditorModel* model_;
};
