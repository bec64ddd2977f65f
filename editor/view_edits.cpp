#include "editor/view_edits.h"

#include "editor/editor_model.h"

HotspotFields HotspotFields::of(const shape& shp) {
    return HotspotFields{shp.getName(), shp.getCursor(), shp.getCond(), shp.getScript()};
}

namespace edits {

namespace {
shape* at(EditorModel& m, int16_t index) {
    return index >= 1 && index <= m.shapeCount() ? &m.shapes[index - 1] : nullptr;
}
}  // namespace

void appendShape(EditorModel& m, const shape& shp) {
    if (m.shapeCount() < shape::kMaxCount) m.shapes.push_back(shp);
}

void removeLastShape(EditorModel& m) {
    if (!m.shapes.empty()) m.shapes.pop_back();
}

void insertShape(EditorModel& m, int16_t index, const shape& shp) {
    if (index < 1 || index > m.shapeCount() + 1 || m.shapeCount() >= shape::kMaxCount) return;
    m.shapes.insert(m.shapes.begin() + (index - 1), shp);
}

void removeShape(EditorModel& m, int16_t index) {
    if (at(m, index)) m.shapes.erase(m.shapes.begin() + (index - 1));
}

void setVertex(EditorModel& m, int16_t index, int16_t vertex, int16_t x, int16_t y) {
    if (shape* shp = at(m, index)) {
        shp->setX(x, vertex);
        shp->setY(y, vertex);
    }
}

void insertVertex(EditorModel& m, int16_t index, int16_t before, int16_t x, int16_t y) {
    if (shape* shp = at(m, index)) shp->addPointAt(x, y, before);
}

void removeVertex(EditorModel& m, int16_t index, int16_t vertex) {
    if (shape* shp = at(m, index)) shp->delpoint(vertex);
}

void translateShape(EditorModel& m, int16_t index, int dx, int dy) {
    shape* shp = at(m, index);
    if (!shp) return;
    for (int16_t i = 1; i <= shp->numPoint(); ++i) {
        shp->setX(static_cast<int16_t>(shp->x(i) + dx), i);
        shp->setY(static_cast<int16_t>(shp->y(i) + dy), i);
    }
}

void setHotspot(EditorModel& m, int16_t index, const HotspotFields& fields) {
    if (shape* shp = at(m, index)) {
        shp->setName(fields.name);
        shp->setCursor(fields.cursor);
        shp->setCond(fields.cond);
        shp->setScript(fields.script);
    }
}

void setView(EditorModel& m, const ViewFields& fields) {
    m.viewname = fields.name;
    m.onloadscript = fields.script;
}

ViewFields viewFields(const EditorModel& m) {
    return ViewFields{m.viewname, m.onloadscript};
}

}  // namespace edits
