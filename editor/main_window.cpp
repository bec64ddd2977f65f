#include "editor/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QUndoStack>

#include "editor/check_view_dock.h"
#include "editor/dialog_commands.h"
#include "editor/drawing_area.h"
#include "editor/file_commands.h"
#include "editor/pointer_confinement.h"
#include "editor/qt_convert.h"
#include "editor/test_view.h"
#include "editor/tool_panel.h"
#include "editor/view_file.h"

namespace {
const QString kTitle = "Pandrel";
}

Form1::Form1()
    : model_(nullptr),
      undo_(new QUndoStack(this)),
      undoTarget_(model_,
                  [this] {
                      syncPanel();
                      redraw();
                  }),
      undoEdits_(undo_, undoTarget_) {
    setObjectName("Form1");
    model_.setHost(this);
    model_.setEditSink(&undoEdits_);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    auto* scroller = new QScrollArea(central);
    scroller->setObjectName("pictureScroller");
    Picture1 = new DrawingArea(scroller);
    scroller->setWidget(Picture1);
    scroller->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // At 1x the whole picture shows without scroll bars.
    scroller->setMinimumSize(kViewWidth + 2 * scroller->frameWidth(),
                             kViewHeight + 2 * scroller->frameWidth());
    layout->addWidget(scroller, 1);
    controlholder = new ToolPanel(central);
    layout->addWidget(controlholder, 0, Qt::AlignTop);
    setCentralWidget(central);
    menus_ = buildMainMenus(this, undo_);

    auto show = [this] {
        syncPanel();
        redraw();
    };
    pointer_ = std::make_unique<PointerConfinement>(Picture1);
    files_ = std::make_unique<FileCommands>(this, model_, picture_, *pointer_, undo_, show);
    dialogs_ = std::make_unique<DialogCommands>(this, model_, picture_, *pointer_, *files_,
                                                menus_.editoverlay, show);
    connectPanel();
    connectMenus();
    connect(Picture1, &DrawingArea::pressed, this, &Form1::areaPressed);
    connect(Picture1, &DrawingArea::moved, this, &Form1::areaMoved);
    connect(Picture1, &DrawingArea::released, this, &Form1::areaReleased);
    connect(Picture1, &DrawingArea::zoomChanged, this, &Form1::showZoom);

    setWindowTitle(kTitle);
    releaseCursor();
    syncPanel();
    redraw();
}

Form1::~Form1() {
    Picture1->setConfined(false);
}

void Form1::connectPanel() {
    auto tool = [this](QPushButton* b, void (EditorModel::*op)()) {
        connect(b, &QPushButton::clicked, this, [this, op] {
            (model_.*op)();
            syncPanel();
        });
    };
    tool(controlholder->drawbut, &EditorModel::drawbut);
    tool(controlholder->selectbut, &EditorModel::selectbut);
    tool(controlholder->refresh, &EditorModel::refresh);
    tool(controlholder->delbut, &EditorModel::delbut);
    tool(controlholder->movepoint, &EditorModel::movepoint);
    tool(controlholder->delpoint, &EditorModel::delpoint);
    tool(controlholder->inspoint, &EditorModel::inspoint);
    tool(controlholder->shapemove, &EditorModel::shapemove);
    connect(controlholder->propertybut, &QPushButton::clicked, this,
            [this] { dialogs_->propertybut(); });
    connect(controlholder->viewproperty, &QPushButton::clicked, this,
            [this] { dialogs_->viewproperty(); });
}

void Form1::connectMenus() {
    auto on = [this](QAction* action, auto slot) {
        connect(action, &QAction::triggered, this, slot);
    };
    on(menus_.newview, [this] { files_->newview(); });
    on(menus_.openview, [this] { files_->openview(); });
    on(menus_.saveview, [this] { files_->saveview(); });
    on(menus_.testview, [this] { testView(); });
    connect(menus_.testslots, &QMenu::aboutToShow, this, [this] { fillSlotMenu(); });
    on(menus_.checkview, [this] { checkView(); });
    on(menus_.exit, [this] { files_->exitCommand(); });
    on(menus_.loadnewbaseimage, [this] { files_->loadnewbaseimage(); });
    on(menus_.editoverlay, [this] { dialogs_->editoverlay(); });
    on(menus_.positionoverlay, [this] {
        model_.positionoverlay();
        syncPanel();
    });
    on(menus_.picklinecolour, [this] { dialogs_->picklinecolour(); });
    on(menus_.showpolygon, [this] {
        model_.toggleShowPolygons();
        syncPanel();
    });
    on(menus_.about, [this] { dialogs_->about(); });
    on(menus_.zoomin, [this] { Picture1->setZoom(Picture1->zoom() + 1); });
    on(menus_.zoomout, [this] { Picture1->setZoom(Picture1->zoom() - 1); });
    for (int z = 1; z <= 4; ++z) on(menus_.zoom[z - 1], [this, z] { Picture1->setZoom(z); });
    showZoom(Picture1->zoom());
}

void Form1::showZoom(int zoom) {
    menus_.zoom[zoom - 1]->setChecked(true);
    menus_.zoomin->setEnabled(zoom < DrawingArea::kMaxZoom);
    menus_.zoomout->setEnabled(zoom > DrawingArea::kMinZoom);
}

void Form1::syncPanel() {
    controlholder->sync(model_);
    menus_.showpolygon->setChecked(model_.showPolygons);
    menus_.editoverlay->setChecked(model_.testOverlay.has_value());
}

void Form1::redraw() {
    controlholder->showShapeCaptions(model_);
    Picture1->showPicture(picture_.compose(model_));
}

void Form1::drawRubberBand(double x, double y) {
    controlholder->showShapeCaptions(model_);
    Picture1->showPicture(picture_.composeWithRubberBand(model_, x, y));
}

void Form1::coordinatesChanged() {
    controlholder->showCoordinates(model_);
}

bool Form1::saveTo(const QString& chosenPath) {
    return files_->saveTo(chosenPath);
}

bool Form1::openFrom(const QString& path) {
    return files_->openFrom(path);
}

void Form1::testView(int slot) {
    PointerConfinement::FreePointer free(*pointer_);
    const std::string path = files_->viewPath();
    if (path.empty()) {
        launcher_.launch(this, files_->gameFolder(), viewfile::write(model_));
        return;
    }
    // The engine reads the view from its file: saved first, it starts at the edits (or,
    // already running, reloads them).
    if (!files_->saveTo(fromPath(path))) return;
    launcher_.launchLive(this, files_->gameFolder(), toPath(QFileInfo(fromPath(path)).fileName()),
                         slot);
}

void Form1::fillSlotMenu() {
    menus_.testslots->clear();
    const std::vector<int> saved = testview::savedSlots(files_->gameFolder());
    if (saved.empty() || files_->viewPath().empty()) {
        menus_.testslots->addAction(saved.empty() ? "No saved slots" : "Save the view first")
            ->setEnabled(false);
        return;
    }
    for (int slot : saved) {
        QAction* a = menus_.testslots->addAction("Slot " + QString::number(slot));
        a->setObjectName("testslot" + QString::number(slot));
        connect(a, &QAction::triggered, this, [this, slot] { testView(slot); });
    }
}

void Form1::checkView() {
    if (!checkDock_) {
        checkDock_ = new CheckViewDock(this, [this](int hotspot) {
            if (hotspot >= model_.shapeCount()) return;
            model_.selectedShape = static_cast<int16_t>(hotspot + 1);
            syncPanel();
            redraw();
        });
        addDockWidget(Qt::BottomDockWidgetArea, checkDock_);
    }
    PointerConfinement::FreePointer free(*pointer_);
    checkDock_->check(files_->gameFolder(), viewfile::write(model_));
}

// ---------------------------------------------------------------- mouse

void Form1::areaPressed(int button, QPointF p) {
    undoEdits_.beginGesture();
    model_.mouseDown(button, p.x(), p.y());
    syncPanel();
}

void Form1::areaMoved(int buttons, QPointF p) {
    model_.mouseMove(buttons, p.x(), p.y());
    if (buttons) syncPanel();
}

void Form1::areaReleased() {
    undoEdits_.endGesture();
}

// ---------------------------------------------------------------- ToolHost

void Form1::restrictCursor() {
    pointer_->restrict();
}

void Form1::releaseCursor() {
    pointer_->release();
}

bool Form1::SetCursorPosition(QWidget* hwnd, int xPos, int yPos) {
    if (!hwnd) return false;
    QCursor::setPos(hwnd->mapToGlobal(QPoint(xPos, yPos)));
    return true;
}

void Form1::setCursorPosition(int x, int y) {
    Picture1->warpTo(x, y);
}

bool Form1::askClosePolygon() {
    PointerConfinement::FreePointer free(*pointer_);
    return QMessageBox::question(this, kTitle, "Close polygon?",
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void Form1::noOverlayMessage() {
    PointerConfinement::FreePointer free(*pointer_);
    QMessageBox::critical(this, "ERROR", "No overlay created");
}

void Form1::closeEvent(QCloseEvent* e) {
    releaseCursor();
    e->accept();
    QApplication::quit();
}
