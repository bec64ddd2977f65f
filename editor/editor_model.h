#pragma once
// The main window's state and its tool state machine, apart from any widget so that
// tests can drive it with presses and drags. The window forwards mouse events and
// button clicks here and shows what the state says.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/overlay.h"
#include "editor/shape.h"
#include "editor/view_edits.h"

enum EditMode : int16_t {
    ModeNone = 0,
    ModeDraw = 1,
    ModeSelect = 2,
    ModeMovePoint = 3,
    ModeDelPoint = 4,
    ModeInsPoint = 5,
    ModeShapeMove = 6,
    ModeOverlay = 7,
};

enum MouseButton { LeftButton = 1, RightButton = 2 };

constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;

// What the window must do for the tools: pointer confinement and warping, the one
// question the tools ask, and repainting.
class ToolHost {
public:
    virtual ~ToolHost() = default;
    virtual void restrictCursor() {}
    virtual void releaseCursor() {}
    // "Close polygon?": true for OK.
    virtual bool askClosePolygon() { return true; }
    // Moves the system pointer to a point of the drawing area.
    virtual void setCursorPosition(int x, int y) { (void)x, (void)y; }
    virtual void noOverlayMessage() {}
    // Recomposes and shows the drawing area and the labels.
    virtual void redraw() {}
    // Shows the composition with the open polygon and the rubber band to (x, y).
    virtual void drawRubberBand(double x, double y) { (void)x, (void)y; }
    // The pointer-position label changed and should repaint at once.
    virtual void coordinatesChanged() {}
};

// The parts of the view that undo and redo restore.
struct ViewDocument {
    std::string viewname;
    std::string onloadscript;
    std::vector<shape> shapes;

    bool operator==(const ViewDocument& o) const {
        return viewname == o.viewname && onloadscript == o.onloadscript && shapes == o.shapes;
    }
    bool operator!=(const ViewDocument& o) const { return !(*this == o); }
};

// A link to a window-side object that a copy of the model does not take over: a copy
// is a separate view with no window and no history of its own.
template <class T>
class WindowLink {
public:
    WindowLink() = default;
    WindowLink(const WindowLink&) {}
    WindowLink& operator=(const WindowLink&) { return *this; }
    void set(T* p) { p_ = p; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

class EditorModel {
public:
    explicit EditorModel(ToolHost* host = nullptr);
    void setHost(ToolHost* host) { host_.set(host); }
    // Where the tools send their changes to the view; without a sink they are made at
    // once.
    void setEditSink(EditSink* sink) { sink_.set(sink); }
    EditSink& edits();

    // View state.
    std::string viewname = "View";
    std::string onloadscript;
    bool showPolygons = true;
    int16_t shapeCounter = 1;
    uint32_t lineColour = 0xFFFFFF;  // 0x00BBGGRR
    int16_t editMode = ModeNone;
    std::string baseImagePath;
    std::vector<shape> shapes;
    std::optional<shape> newShape;
    int16_t selectedShape = 0;
    int16_t heldVertex = 0;
    bool drawing = false;
    std::optional<overlay> testOverlay;  // survives New View and Open View

    // Panel state the window shows.
    std::string xycoord = "(x, y)";
    std::string numvertex = "No. Vert:";
    bool constrainVisible = false;
    int16_t highlightedTool = 0;  // the button painted white: 1..6, or 0

    // The selected shape, or null.
    shape* selected();
    const shape* selected() const;
    int16_t shapeCount() const { return static_cast<int16_t>(shapes.size()); }

    void highlightTool();
    void showVertexCount(int16_t index);
    void resetView();
    void leaveConstrained();
    std::string numshapeCaption() const;
    // What the shape-name box shows after a redraw.
    std::string shapeNameCaption() const;

    // Tool buttons and menu items.
    void drawbut();
    void selectbut();
    void movepoint();
    void delpoint();
    void inspoint();
    void shapemove();
    void delbut();
    void refresh();
    // True when the hotspot dialog should open on the selected shape.
    bool propertybut();
    void toggleShowPolygons();
    void positionoverlay();

    // Mouse on the drawing area: a press with one button, a move with the set held.
    void mouseDown(int button, double X, double Y);
    void mouseMove(int buttons, double X, double Y);

    ViewDocument document() const;
    // Puts back an earlier document; selections that no longer exist are dropped.
    void restore(const ViewDocument& doc);
    // After the view changed under the tools (undo, redo): a selection that no longer
    // exists is dropped, no vertex is held, and the vertex count follows.
    void dropStaleSelection();

private:
    void setCoordinates(double X, double Y);
    void enterConstrained(int16_t mode);
    int16_t hitVertex(const shape& shp, double X, double Y) const;
    void completeShape();
    void cancelShape();
    void setNumvertexFromNewShape();

    void pressOverlay(int button, double X, double Y);
    void pressShapeMove(int button, double X, double Y);
    void pressInsert(int button, double X, double Y);
    void pressDelete(int button, double X, double Y);
    void pressMovePoint(int button, double X, double Y);
    void pressSelect(int button, double X, double Y);
    void pressDraw(int button, double X, double Y);

    ToolHost& host() { return host_.get() ? *host_.get() : nullHost_; }

    ToolHost nullHost_;  // asks nothing, answers OK
    WindowLink<ToolHost> host_;
    WindowLink<EditSink> sink_;
    DirectEdits direct_{*this};
};

// Caption text of "No. Vert:" for a count: one blank before the digits.
std::string vertexCountCaption(int count);
