#include "editor/tool_panel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

#include "editor/editor_model.h"
#include "editor/qt_convert.h"

ToolPanel::ToolPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("controlholder");
    auto* column = new QVBoxLayout(this);
    setMinimumWidth(220);
    auto makeButton = [this](const char* name, const char* caption, const char* tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAutoFillBackground(true);
        return b;
    };
    auto group = [&](const char* title, std::initializer_list<QPushButton*> buttons) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QVBoxLayout(box);
        for (QPushButton* b : buttons) grid->addWidget(b);
        column->addWidget(box);
    };

    drawbut = makeButton("drawbut", "Draw", "Start drawing a new hotspot polygon");
    selectbut = makeButton("selectbut", "Select", "Select a hotspot polygon");
    refresh = makeButton("refresh", "Refresh", "Refresh the screen");
    viewproperty = makeButton("viewproperty", "Properties", "Change the View properties");
    delbut = makeButton("delbut", "Delete", "Delete the selected polygon");
    propertybut = makeButton("propertybut", "Properties", "Change the hotspot properties");
    shapemove = makeButton("shapemove", "Move", "move the selected polygon");
    movepoint = makeButton("movepoint", "Move", "Move one of the selected polygon's verticies");
    delpoint = makeButton("delpoint", "Delete", "Delete from the selected polygon a vertex");
    inspoint = makeButton("inspoint", "Insert", "Insert into the selected polygon a new vertex");

    group("View Level", {drawbut, selectbut, refresh, viewproperty});
    group("Shape Level", {delbut, propertybut, shapemove});
    group("Vertex Level", {movepoint, delpoint, inspoint});

    tools_[ModeDraw] = drawbut;
    tools_[ModeSelect] = selectbut;
    tools_[ModeMovePoint] = movepoint;
    tools_[ModeDelPoint] = delpoint;
    tools_[ModeInsPoint] = inspoint;
    tools_[ModeShapeMove] = shapemove;

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Shape Name:", this));
    shapename = new QLineEdit(this);
    shapename->setObjectName("shapename");
    shapename->setReadOnly(true);
    shapename->setFocusPolicy(Qt::NoFocus);
    shapename->setMinimumWidth(110);
    nameRow->addWidget(shapename);
    column->addLayout(nameRow);
    auto label = [&](const char* name, const char* caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        column->addWidget(l);
        return l;
    };
    xycoord = label("xycoord", "(x, y)");
    numvertex = label("numvertex", "No. Vert:");
    numshape = label("numshape", "No. Shp");
    constrain = label("constrain", "Right Click to exit constrained mode");
    constrain->setWordWrap(true);
    column->addStretch();

    // Tool shortcuts: the window has no text entry, so plain letters are free.
    const std::pair<QPushButton*, QKeySequence> keys[] = {
        {drawbut, QKeySequence(Qt::Key_D)},     {selectbut, QKeySequence(Qt::Key_S)},
        {refresh, QKeySequence(Qt::Key_F5)},    {delbut, QKeySequence(Qt::Key_Delete)},
        {propertybut, QKeySequence(Qt::Key_P)}, {viewproperty, QKeySequence(Qt::Key_W)},
        {shapemove, QKeySequence(Qt::Key_G)},   {movepoint, QKeySequence(Qt::Key_M)},
        {delpoint, QKeySequence(Qt::Key_X)},    {inspoint, QKeySequence(Qt::Key_I)},
    };
    for (const auto& [button, key] : keys) {
        auto* s = new QShortcut(key, this);
        connect(s, &QShortcut::activated, button, &QPushButton::click);
    }
}

void ToolPanel::sync(const EditorModel& model) {
    xycoord->setText(fromLatin(model.xycoord));
    numvertex->setText(fromLatin(model.numvertex));
    numshape->setText(fromLatin(model.numshapeCaption()));
    constrain->setVisible(model.constrainVisible);
    for (int mode = ModeDraw; mode <= ModeShapeMove; ++mode)
        tools_[mode]->setStyleSheet(model.highlightedTool == mode
                                        ? "QPushButton { background-color: white; color: black; "
                                          "border: 2px solid #3060c0; padding: 3px; }"
                                        : QString());
}

void ToolPanel::showShapeCaptions(const EditorModel& model) {
    numshape->setText(fromLatin(model.numshapeCaption()));
    shapename->setText(fromLatin(model.shapeNameCaption()));
}

void ToolPanel::showCoordinates(const EditorModel& model) {
    xycoord->setText(fromLatin(model.xycoord));
    xycoord->repaint();
}
