#include "editor/editor_model.h"

#include <algorithm>
#include <cmath>

namespace {

// The pointer's whole pixel, held to the 16-bit range the shapes store.
int16_t wholePixel(double v) {
    return static_cast<int16_t>(std::clamp(std::floor(v), -32768.0, 32767.0));
}

int16_t roundedPixel(double v) {
    return static_cast<int16_t>(std::clamp(std::nearbyint(v), -32768.0, 32767.0));
}

double distance(double X, double Y, int x, int y) {
    return std::hypot(X - x, Y - y);
}

constexpr double kHitRadius = 10.0;
constexpr double kCloseRadius = 20.0;

}  // namespace

std::string vertexCountCaption(int count) {
    return "No. Vert: " + std::to_string(count);
}

EditorModel::EditorModel(ToolHost* host) {
    host_.set(host);
    highlightTool();
    showVertexCount(0);
}

EditSink& EditorModel::edits() {
    if (EditSink* sink = sink_.get()) return *sink;
    direct_ = DirectEdits(*this);  // a copied model edits itself, not its original
    return direct_;
}

shape* EditorModel::selected() {
    if (selectedShape < 1 || selectedShape > shapeCount()) return nullptr;
    return &shapes[selectedShape - 1];
}

const shape* EditorModel::selected() const {
    return const_cast<EditorModel*>(this)->selected();
}

void EditorModel::highlightTool() {
    highlightedTool = (editMode >= ModeDraw && editMode <= ModeShapeMove) ? editMode : 0;
}

void EditorModel::showVertexCount(int16_t index) {
    const shape* shp = (index >= 1 && index <= shapeCount()) ? &shapes[index - 1] : nullptr;
    numvertex = vertexCountCaption(shp ? shp->numPoint() : 0);
}

void EditorModel::resetView() {
    viewname = "View";
    onloadscript.clear();
    selectedShape = 0;
    heldVertex = 0;
    shapes.clear();
}

void EditorModel::leaveConstrained() {
    host().releaseCursor();
    constrainVisible = false;
    editMode = ModeNone;
    highlightTool();
    host().redraw();
}

std::string EditorModel::numshapeCaption() const {
    return "No. Shp:  " + std::to_string(shapes.size());
}

std::string EditorModel::shapeNameCaption() const {
    if (!showPolygons) return std::string();
    const shape* shp = selected();
    return shp ? shp->getName() : std::string();
}

void EditorModel::enterConstrained(int16_t mode) {
    constrainVisible = true;
    editMode = mode;
    highlightTool();
    host().restrictCursor();
    host().redraw();
}

void EditorModel::drawbut() {
    constrainVisible = true;
    showPolygons = true;
    selectedShape = 0;
    editMode = ModeDraw;
    host().restrictCursor();
    highlightTool();
    host().redraw();
}

void EditorModel::selectbut() {
    showPolygons = true;
    editMode = ModeSelect;
    highlightTool();
    host().redraw();
}

void EditorModel::movepoint() {
    if (selectedShape != 0) enterConstrained(ModeMovePoint);
}
void EditorModel::delpoint() {
    if (selectedShape != 0) enterConstrained(ModeDelPoint);
}
void EditorModel::inspoint() {
    if (selectedShape != 0) enterConstrained(ModeInsPoint);
}
void EditorModel::shapemove() {
    if (selectedShape != 0) enterConstrained(ModeShapeMove);
}

void EditorModel::delbut() {
    if (!selected()) return;
    edits().deleteShape(selectedShape);
    selectedShape = 0;
    heldVertex = 0;
    showVertexCount(0);
    host().redraw();
}

void EditorModel::refresh() {
    host().redraw();
}

bool EditorModel::propertybut() {
    showPolygons = true;
    return selected() != nullptr;
}

void EditorModel::toggleShowPolygons() {
    showPolygons = !showPolygons;
    if (!showPolygons) selectedShape = 0;
    host().redraw();
}

void EditorModel::positionoverlay() {
    if (!testOverlay) {
        host().noOverlayMessage();
        return;
    }
    editMode = ModeOverlay;
    constrainVisible = true;
    host().restrictCursor();
}

void EditorModel::setCoordinates(double X, double Y) {
    xycoord = "(" + std::to_string(wholePixel(X)) + ", " + std::to_string(wholePixel(Y)) + ")";
    host().coordinatesChanged();
}

int16_t EditorModel::hitVertex(const shape& shp, double X, double Y) const {
    for (int16_t i = 1; i <= shp.numPoint(); ++i)
        if (distance(X, Y, shp.x(i), shp.y(i)) < kHitRadius) return i;
    return 0;
}

void EditorModel::mouseDown(int button, double X, double Y) {
    setCoordinates(X, Y);
    // Tried from the highest mode down, each testing the mode afresh, so that the
    // insert tool can hand the same press on to the move-vertex tool.
    if (editMode == ModeOverlay) pressOverlay(button, X, Y);
    if (editMode == ModeShapeMove) pressShapeMove(button, X, Y);
    if (editMode == ModeInsPoint) pressInsert(button, X, Y);
    if (editMode == ModeDelPoint) pressDelete(button, X, Y);
    if (editMode == ModeMovePoint) pressMovePoint(button, X, Y);
    if (editMode == ModeSelect) pressSelect(button, X, Y);
    if (editMode == ModeDraw) pressDraw(button, X, Y);
}

void EditorModel::pressOverlay(int button, double X, double Y) {
    if (button == LeftButton) {
        if (testOverlay) {
            testOverlay->setX(roundedPixel(X));
            testOverlay->setY(roundedPixel(Y));
        }
        host().redraw();
    } else if (button == RightButton) {
        leaveConstrained();
    }
}

void EditorModel::pressShapeMove(int button, double X, double Y) {
    if (button == LeftButton) {
        heldVertex = 0;
        if (const shape* shp = selected()) heldVertex = hitVertex(*shp, X, Y);
        host().redraw();
    } else if (button == RightButton) {
        leaveConstrained();
    }
}

void EditorModel::pressInsert(int button, double X, double Y) {
    if (button == LeftButton) {
        heldVertex = 0;
        const shape* shp = selected();
        const int16_t i = shp ? hitVertex(*shp, X, Y) : 0;
        if (i != 0 && shp->numPoint() < shape::kMaxCount) {
            edits().insertVertex(selectedShape, i, wholePixel(X), wholePixel(Y));
            editMode = ModeMovePoint;
            highlightedTool = ModeMovePoint;
            heldVertex = static_cast<int16_t>(i + 1);
            host().redraw();
        }
        host().redraw();
    } else if (button == RightButton) {
        leaveConstrained();
    }
    showVertexCount(selectedShape);
}

void EditorModel::pressDelete(int button, double X, double Y) {
    if (button == LeftButton) {
        heldVertex = 0;
        if (const shape* shp = selected()) {
            for (int16_t i = 1; i <= shp->numPoint(); ++i) {
                if (distance(X, Y, shp->x(i), shp->y(i)) < kHitRadius && shp->numPoint() > 3) {
                    edits().deleteVertex(selectedShape, i);
                    host().redraw();
                    break;
                }
            }
        }
        host().redraw();
    } else if (button == RightButton) {
        leaveConstrained();
    }
    showVertexCount(selectedShape);
}

void EditorModel::pressMovePoint(int button, double X, double Y) {
    if (button == LeftButton) {
        heldVertex = 0;
        if (const shape* shp = selected()) heldVertex = hitVertex(*shp, X, Y);
        host().redraw();
    } else if (button == RightButton) {
        leaveConstrained();
    }
    showVertexCount(selectedShape);
}

void EditorModel::pressSelect(int button, double X, double Y) {
    if (button != LeftButton) return;
    int next = selectedShape + 1;
    if (next > shapeCount() || next < 1) next = 1;
    selectedShape = 0;
    for (int i = next; i <= shapeCount(); ++i) {
        if (insidePolygon(shapes[i - 1], wholePixel(X), wholePixel(Y))) {
            selectedShape = static_cast<int16_t>(i);
            break;
        }
    }
    showVertexCount(selectedShape);
    host().redraw();
}

void EditorModel::setNumvertexFromNewShape() {
    numvertex = newShape ? vertexCountCaption(newShape->numPoint()) : vertexCountCaption(0);
}

void EditorModel::completeShape() {
    if (shapeCount() >= shape::kMaxCount) return;  // the view is full; keep drawing
    newShape->setName("Shape" + std::to_string(shapeCounter));
    if (shapeCounter < shape::kMaxCount) ++shapeCounter;
    edits().drawShape(*newShape);
    selectedShape = shapeCount();
    showVertexCount(selectedShape);
    newShape.reset();
    drawing = false;
    host().releaseCursor();
    constrainVisible = false;
}

void EditorModel::cancelShape() {
    newShape.reset();
    drawing = false;
    selectedShape = 0;
    showVertexCount(0);
    constrainVisible = false;
    host().releaseCursor();
    host().redraw();
}

void EditorModel::pressDraw(int button, double X, double Y) {
    const int16_t px = wholePixel(X), py = wholePixel(Y);
    if (button == LeftButton) {
        if (!drawing || !newShape) {
            newShape.emplace();
            newShape->makeshape();
            newShape->addPoint(px, py);
            drawing = true;
            host().restrictCursor();
            selectedShape = 0;
            numvertex = vertexCountCaption(1);
            showPolygons = true;
            host().redraw();
        } else if (distance(X, Y, newShape->x(1), newShape->y(1)) >= kCloseRadius) {
            newShape->addPoint(px, py);
        } else if (!host().askClosePolygon()) {
            newShape->addPoint(px, py);
        } else if (newShape->numPoint() == 2) {
            const int16_t x1 = newShape->x(1), y1 = newShape->y(1);
            const int16_t x2 = newShape->x(2), y2 = newShape->y(2);
            newShape.emplace();
            newShape->makeshape();
            newShape->addPoint(x1, y1);
            newShape->addPoint(x2, y1);
            newShape->addPoint(x2, y2);
            newShape->addPoint(x1, y2);
            completeShape();
        } else if (newShape->numPoint() >= 3) {
            completeShape();
        }
        if (newShape) setNumvertexFromNewShape();
        host().redraw();
    } else if (button == RightButton) {
        if (drawing && newShape) {
            if (newShape->numPoint() <= 1) {
                cancelShape();
            } else {
                newShape->delpoint(newShape->numPoint());
                host().redraw();
            }
            setNumvertexFromNewShape();
        } else {
            newShape.reset();
            drawing = false;
            selectedShape = 0;
            showVertexCount(0);
            constrainVisible = false;
            host().releaseCursor();
            host().redraw();
        }
    }
}

void EditorModel::mouseMove(int buttons, double X, double Y) {
    setCoordinates(X, Y);
    if (editMode == ModeOverlay) {
        if (buttons == LeftButton) {
            if (testOverlay) {
                testOverlay->setX(roundedPixel(X));
                testOverlay->setY(roundedPixel(Y));
            }
            host().redraw();
        } else if (buttons == RightButton) {
            leaveConstrained();
        }
    } else if (editMode == ModeShapeMove) {
        if (buttons == LeftButton) {
            const shape* shp = selected();
            if (shp && heldVertex >= 1 && heldVertex <= shp->numPoint()) {
                const int dx = wholePixel(X) - shp->x(heldVertex);
                const int dy = wholePixel(Y) - shp->y(heldVertex);
                bool allowed = true;
                for (int16_t i = 1; i <= shp->numPoint() && allowed; ++i) {
                    const int nx = shp->x(i) + dx, ny = shp->y(i) + dy;
                    allowed = nx >= 0 && nx <= kViewWidth && ny >= 0 && ny <= kViewHeight;
                }
                if (allowed && (dx != 0 || dy != 0))
                    edits().moveShape(selectedShape, static_cast<int16_t>(dx),
                                      static_cast<int16_t>(dy));
                host().setCursorPosition(shp->x(heldVertex), shp->y(heldVertex));
            }
            host().redraw();
        } else if (buttons == RightButton) {
            leaveConstrained();
        }
    } else if (editMode == ModeMovePoint) {
        if (buttons == LeftButton) {
            const shape* shp = selected();
            if (shp && heldVertex >= 1 && heldVertex <= shp->numPoint()) {
                const int16_t x = wholePixel(X), y = wholePixel(Y);
                if (x != shp->x(heldVertex) || y != shp->y(heldVertex))
                    edits().moveVertex(selectedShape, heldVertex, x, y);
                host().setCursorPosition(shp->x(heldVertex), shp->y(heldVertex));
            }
            host().redraw();
        } else if (buttons == RightButton) {
            leaveConstrained();
        }
    }
    if (drawing && newShape) host().drawRubberBand(X, Y);
}

ViewDocument EditorModel::document() const {
    return ViewDocument{viewname, onloadscript, shapes};
}

void EditorModel::restore(const ViewDocument& doc) {
    viewname = doc.viewname;
    onloadscript = doc.onloadscript;
    shapes = doc.shapes;
    dropStaleSelection();
}

void EditorModel::dropStaleSelection() {
    if (selectedShape > shapeCount()) selectedShape = 0;
    heldVertex = 0;
    showVertexCount(selectedShape);
}
