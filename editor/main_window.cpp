#include "editor/main_window.h"

#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>
#include <cstring>
#include <functional>

#include "editor/dialog_logic.h"
#include "editor/dialogs.h"
#include "editor/picture_pixels.h"
#include "editor/test_view.h"
#include "editor/text_util.h"
#include "editor/view_file.h"

namespace {

const QString kTitle = "Pandrel";

QColor toQColor(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QImage toQImage(const RgbImage& rgb) {
    QImage image(rgb.width, rgb.height, QImage::Format_RGB32);
    for (int y = 0; y < rgb.height; ++y)
        std::memcpy(image.scanLine(y), rgb.pixels.data() + static_cast<size_t>(y) * rgb.width,
                    static_cast<size_t>(rgb.width) * 4);
    return image;
}

// File names are bytes in the system's encoding; view text is 8-bit Latin-1.
std::string toPath(const QString& s) {
    return QFile::encodeName(s).toStdString();
}
QString fromPath(const std::string& s) {
    return QFile::decodeName(QByteArray::fromStdString(s));
}

QImage blankPicture() {
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace

// One undoable change: the view before and after it.
class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(std::function<void(const ViewDocument&)> apply, ViewDocument before,
                    ViewDocument after, const QString& text)
        : QUndoCommand(text),
          apply_(std::move(apply)),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void undo() override { apply_(before_); }
    void redo() override {
        if (first_) {
            first_ = false;  // the change has already been made by the tool
            return;
        }
        apply_(after_);
    }

private:
    std::function<void(const ViewDocument&)> apply_;
    ViewDocument before_, after_;
    bool first_ = true;
};

// ---------------------------------------------------------------- DrawingArea

DrawingArea::DrawingArea(Form1* owner) : QWidget(owner), owner_(owner) {
    setObjectName("Picture1");
    setFixedSize(kViewWidth, kViewHeight);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void DrawingArea::showPicture(const QImage& image) {
    shown_ = image;
    repaint();
}

void DrawingArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!shown_.isNull()) p.drawImage(0, 0, shown_);
}

void DrawingArea::setConfined(bool on) {
    if (on == confined_) return;
    confined_ = on;
    if (on) {
        grabMouse();
        confine(mapFromGlobal(QCursor::pos()));  // a pointer outside is brought in
    } else {
        releaseMouse();
    }
}

void DrawingArea::warpTo(int x, int y) {
    QCursor::setPos(mapToGlobal(QPoint(x, y)));
}

// Qt has no confinement call: while confined the area holds the mouse grab and
// puts the pointer back inside whenever it strays.
QPointF DrawingArea::confine(QPointF p) {
    if (!confined_) return p;
    QPointF q(std::clamp(p.x(), 0.0, kViewWidth - 1.0), std::clamp(p.y(), 0.0, kViewHeight - 1.0));
    if (q != p) warpTo(static_cast<int>(q.x()), static_cast<int>(q.y()));
    return q;
}

void DrawingArea::mousePressEvent(QMouseEvent* e) {
    const int button = e->button() == Qt::LeftButton    ? LeftButton
                       : e->button() == Qt::RightButton ? RightButton
                                                        : 0;
    if (!button) return;
    const QPointF p = e->position();
    if (!confined_ && !rect().contains(p.toPoint())) return;
    owner_->areaPressed(button, confine(p));
}

void DrawingArea::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    if (!confined_ && !rect().contains(p.toPoint()) && e->buttons() == Qt::NoButton) return;
    int buttons = 0;
    if (e->buttons() & Qt::LeftButton) buttons |= LeftButton;
    if (e->buttons() & Qt::RightButton) buttons |= RightButton;
    if (e->buttons() & ~(Qt::LeftButton | Qt::RightButton)) buttons |= 4;
    owner_->areaMoved(buttons, confine(p));
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* e) {
    if (e->buttons() == Qt::NoButton) owner_->areaReleased();
}

// ---------------------------------------------------------------- Form1

Form1::Form1() : model_(nullptr) {
    setObjectName("Form1");
    model_.setHost(this);
    undo_ = new QUndoStack(this);
    buffer = blankPicture();
    screen = blankPicture();

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    Picture1 = new DrawingArea(this);
    layout->addWidget(Picture1, 0, Qt::AlignTop);
    auto* panel = new QWidget(central);
    panel->setObjectName("controlholder");
    buildPanel(panel);
    layout->addWidget(panel, 0, Qt::AlignTop);
    setCentralWidget(central);
    buildMenus();

    gameFolder_ = toPath(QDir::currentPath());
    committed_ = model_.document();
    setWindowTitle(kTitle);
    releaseCursor();
    syncPanel();
    redraw();
}

Form1::~Form1() {
    Picture1->setConfined(false);
    // Test folders of engines that have ended go; a running engine keeps its own.
    for (const auto& [pid, folder] : testRuns_)
        if (::kill(static_cast<pid_t>(pid), 0) != 0) testview::removeFolder(folder);
}

void Form1::buildPanel(QWidget* panel) {
    auto* column = new QVBoxLayout(panel);
    panel->setMinimumWidth(220);
    auto makeButton = [&](const char* name, const char* caption, const char* tip) {
        auto* b = new QPushButton(caption, panel);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAutoFillBackground(true);
        return b;
    };
    auto group = [&](const char* title, std::initializer_list<QPushButton*> buttons) {
        auto* box = new QGroupBox(title, panel);
        auto* grid = new QVBoxLayout(box);
        for (QPushButton* b : buttons) grid->addWidget(b);
        column->addWidget(box);
    };

    auto* drawbut = makeButton("drawbut", "Draw", "Start drawing a new hotspot polygon");
    auto* selectbut = makeButton("selectbut", "Select", "Select a hotspot polygon");
    auto* refreshBut = makeButton("refresh", "Refresh", "Refresh the screen");
    auto* viewpropertyBut = makeButton("viewproperty", "Properties", "Change the View properties");
    auto* delbut = makeButton("delbut", "Delete", "Delete the selected polygon");
    auto* propertyBut = makeButton("propertybut", "Properties", "Change the hotspot properties");
    auto* shapemove = makeButton("shapemove", "Move", "move the selected polygon");
    auto* movepoint =
        makeButton("movepoint", "Move", "Move one of the selected polygon's verticies");
    auto* delpoint = makeButton("delpoint", "Delete", "Delete from the selected polygon a vertex");
    auto* inspoint =
        makeButton("inspoint", "Insert", "Insert into the selected polygon a new vertex");

    group("View Level", {drawbut, selectbut, refreshBut, viewpropertyBut});
    group("Shape Level", {delbut, propertyBut, shapemove});
    group("Vertex Level", {movepoint, delpoint, inspoint});

    tools_[ModeDraw] = drawbut;
    tools_[ModeSelect] = selectbut;
    tools_[ModeMovePoint] = movepoint;
    tools_[ModeDelPoint] = delpoint;
    tools_[ModeInsPoint] = inspoint;
    tools_[ModeShapeMove] = shapemove;

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Shape Name:", panel));
    shapename = new QLineEdit(panel);
    shapename->setObjectName("shapename");
    shapename->setReadOnly(true);
    shapename->setFocusPolicy(Qt::NoFocus);
    shapename->setMinimumWidth(110);
    nameRow->addWidget(shapename);
    column->addLayout(nameRow);
    auto label = [&](const char* name, const char* caption) {
        auto* l = new QLabel(caption, panel);
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

    // Every tool goes through the model, then the panel and the undo history follow.
    auto wire = [this](QPushButton* b, void (EditorModel::*op)()) {
        connect(b, &QPushButton::clicked, this, [this, op] {
            (model_.*op)();
            syncPanel();
            commit();
        });
    };
    wire(drawbut, &EditorModel::drawbut);
    wire(selectbut, &EditorModel::selectbut);
    wire(refreshBut, &EditorModel::refresh);
    wire(delbut, &EditorModel::delbut);
    wire(movepoint, &EditorModel::movepoint);
    wire(delpoint, &EditorModel::delpoint);
    wire(inspoint, &EditorModel::inspoint);
    wire(shapemove, &EditorModel::shapemove);
    connect(propertyBut, &QPushButton::clicked, this, &Form1::propertybut);
    connect(viewpropertyBut, &QPushButton::clicked, this, &Form1::viewproperty);

    // Tool shortcuts: the window has no text entry, so plain letters are free.
    const std::pair<QPushButton*, QKeySequence> keys[] = {
        {drawbut, QKeySequence(Qt::Key_D)},     {selectbut, QKeySequence(Qt::Key_S)},
        {refreshBut, QKeySequence(Qt::Key_F5)}, {delbut, QKeySequence(Qt::Key_Delete)},
        {propertyBut, QKeySequence(Qt::Key_P)}, {viewpropertyBut, QKeySequence(Qt::Key_W)},
        {shapemove, QKeySequence(Qt::Key_G)},   {movepoint, QKeySequence(Qt::Key_M)},
        {delpoint, QKeySequence(Qt::Key_X)},    {inspoint, QKeySequence(Qt::Key_I)},
    };
    for (const auto& [button, key] : keys) {
        auto* s = new QShortcut(key, this);
        connect(s, &QShortcut::activated, button, &QPushButton::click);
    }
}

void Form1::buildMenus() {
    QMenu* file = menuBar()->addMenu("File");
    auto add = [this](QMenu* menu, const char* name, const char* text, auto slot,
                      QKeySequence key = QKeySequence()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        if (!key.isEmpty()) a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(file, "newview", "New View", &Form1::newview, QKeySequence(Qt::CTRL | Qt::Key_N));
    add(file, "openview", "Open View", &Form1::openview, QKeySequence(Qt::CTRL | Qt::Key_O));
    add(file, "saveview", "Save View", &Form1::saveview, QKeySequence(Qt::CTRL | Qt::Key_S));
    add(file, "testview", "Test View", &Form1::testView, QKeySequence(Qt::CTRL | Qt::Key_T));
    file->addSeparator();
    add(file, "exit", "Exit", &Form1::exitCommand, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu("Edit");
    QAction* undoAction = undo_->createUndoAction(this, "Undo");
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redoAction = undo_->createRedoAction(this, "Redo");
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(undoAction);
    edit->addAction(redoAction);

    QAction* load = menuBar()->addAction("Load Base Image");
    load->setObjectName("loadnewbaseimage");
    connect(load, &QAction::triggered, this, &Form1::loadnewbaseimage);

    QMenu* overlayMenu = menuBar()->addMenu("Overlay");
    editoverlayAction = add(overlayMenu, "editoverlay", "Edit Test Overlay", &Form1::editoverlay);
    editoverlayAction->setCheckable(true);
    add(overlayMenu, "positionoverlay", "Position Test Overlay", [this] {
        model_.positionoverlay();
        syncPanel();
    });

    QMenu* display = menuBar()->addMenu("Display Options");
    add(display, "picklinecolour", "Pick Line Colour", &Form1::picklinecolour);
    showpolygon = add(display, "showpolygon", "Show Polygons", [this] {
        model_.toggleShowPolygons();
        syncPanel();
    });
    showpolygon->setCheckable(true);

    QMenu* help = menuBar()->addMenu("Help");
    add(help, "about", "About", &Form1::about);
}

// ---------------------------------------------------------------- drawing

void Form1::compose(QImage& target) {
    target = buffer.copy();
    QPainter p(&target);
    if (model_.testOverlay && !pichold.isNull())
        p.drawImage(model_.testOverlay->getX(), model_.testOverlay->getY(), pichold);
    if (!model_.showPolygons) return;
    const QColor colour = toQColor(model_.lineColour);
    const bool circles = model_.editMode >= ModeMovePoint && model_.editMode <= ModeShapeMove;
    for (int i = 1; i <= model_.shapeCount(); ++i) {
        const shape& shp = model_.shapes[i - 1];
        const bool isSelected = i == model_.selectedShape;
        p.setPen(QPen(colour, 1));
        p.setBrush(Qt::NoBrush);
        const int n = shp.numPoint();
        if (isSelected && circles)
            for (int16_t v = 1; v <= n; ++v) p.drawEllipse(QPoint(shp.x(v), shp.y(v)), 5, 5);
        p.setPen(QPen(colour, isSelected ? 3 : 1));
        for (int16_t v = 1; v <= n; ++v) {
            const int16_t w = static_cast<int16_t>(v == n ? 1 : v + 1);
            p.drawLine(shp.x(v), shp.y(v), shp.x(w), shp.y(w));
        }
    }
    if (model_.drawing && model_.newShape) {
        p.setPen(QPen(colour, 1));
        const shape& shp = *model_.newShape;
        for (int16_t v = 1; v < shp.numPoint(); ++v)
            p.drawLine(shp.x(v), shp.y(v), shp.x(v + 1), shp.y(v + 1));
    }
}

void Form1::redraw() {
    numshape->setText(fromLatin(model_.numshapeCaption()));
    shapename->setText(fromLatin(model_.shapeNameCaption()));
    compose(screen);
    Picture1->showPicture(screen);
}

void Form1::drawRubberBand(double x, double y) {
    numshape->setText(fromLatin(model_.numshapeCaption()));
    QImage picture;
    compose(picture);
    QPainter p(&picture);
    p.setPen(QPen(toQColor(model_.lineColour), 1));
    const shape& shp = *model_.newShape;
    for (int16_t v = 1; v < shp.numPoint(); ++v)
        p.drawLine(shp.x(v), shp.y(v), shp.x(v + 1), shp.y(v + 1));
    const int16_t last = shp.numPoint();
    p.drawLine(QPointF(shp.x(last), shp.y(last)), QPointF(x, y));
    p.end();
    screen = picture;
    Picture1->showPicture(screen);
}

void Form1::coordinatesChanged() {
    xycoord->setText(fromLatin(model_.xycoord));
    xycoord->repaint();
}

void Form1::syncPanel() {
    xycoord->setText(fromLatin(model_.xycoord));
    numvertex->setText(fromLatin(model_.numvertex));
    numshape->setText(fromLatin(model_.numshapeCaption()));
    constrain->setVisible(model_.constrainVisible);
    showpolygon->setChecked(model_.showPolygons);
    editoverlayAction->setChecked(model_.testOverlay.has_value());
    for (int mode = ModeDraw; mode <= ModeShapeMove; ++mode)
        tools_[mode]->setStyleSheet(model_.highlightedTool == mode
                                        ? "QPushButton { background-color: white; color: black; "
                                          "border: 2px solid #3060c0; padding: 3px; }"
                                        : QString());
}

// ---------------------------------------------------------------- pointer

void Form1::restrictCursor() {
    confineWanted_ = true;
    applyConfinement();
}

void Form1::releaseCursor() {
    confineWanted_ = false;
    applyConfinement();
}

// Dialogs and message boxes need the pointer, so the grab waits while one is up.
void Form1::applyConfinement() {
    Picture1->setConfined(confineWanted_ && dialogsOpen_ == 0 && prompts_ == 0);
}

Form1::FreePointer::FreePointer(Form1* form) : form_(form) {
    ++form_->prompts_;
    form_->applyConfinement();
}

Form1::FreePointer::~FreePointer() {
    --form_->prompts_;
    form_->applyConfinement();
}

bool Form1::SetCursorPosition(QWidget* hwnd, int xPos, int yPos) {
    if (!hwnd) return false;
    QCursor::setPos(hwnd->mapToGlobal(QPoint(xPos, yPos)));
    return true;
}

void Form1::setCursorPosition(int x, int y) {
    SetCursorPosition(Picture1, x, y);
}

bool Form1::askClosePolygon() {
    FreePointer free(this);
    const auto answer = QMessageBox::question(
        this, kTitle, "Close polygon?", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    return answer == QMessageBox::Ok;
}

void Form1::noOverlayMessage() {
    FreePointer free(this);
    QMessageBox::critical(this, "ERROR", "No overlay created");
}

// ---------------------------------------------------------------- mouse

void Form1::areaPressed(int button, QPointF p) {
    mouseHeld_ = true;
    model_.mouseDown(button, p.x(), p.y());
    syncPanel();
    // A press answered by a message box never sees its release.
    if (!(QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton))) areaReleased();
}

void Form1::areaMoved(int buttons, QPointF p) {
    model_.mouseMove(buttons, p.x(), p.y());
    if (buttons) syncPanel();
}

void Form1::areaReleased() {
    mouseHeld_ = false;
    commit();
}

// ---------------------------------------------------------------- undo

void Form1::commit() {
    if (mouseHeld_) return;  // a drag becomes one step when the button comes up
    ViewDocument now = model_.document();
    if (now == committed_) return;
    QString text = "Edit";
    if (now.shapes.size() > committed_.shapes.size())
        text = "Draw Polygon";
    else if (now.shapes.size() < committed_.shapes.size())
        text = "Delete Polygon";
    else if (now.shapes != committed_.shapes)
        text = "Edit Polygon";
    else
        text = "View Properties";
    auto apply = [this](const ViewDocument& doc) {
        model_.restore(doc);
        committed_ = doc;
        syncPanel();
        redraw();
    };
    undo_->push(new SnapshotCommand(apply, committed_, now, text));
    committed_ = now;
}

// ---------------------------------------------------------------- files

void Form1::setCaption(const QString& path) {
    setWindowTitle(kTitle + " - " + fromPath(text::baseName(toPath(path))));
}

bool Form1::abandon() {
    FreePointer free(this);
    const bool yes = QMessageBox::warning(this, "Warning", "Abandon current view?",
                                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    return yes;
}

void Form1::newview() {
    FreePointer free(this);
    if (!abandon()) return;
    model_.resetView();
    buffer = blankPicture();
    undo_->clear();
    committed_ = model_.document();
    setWindowTitle(kTitle);
    syncPanel();
    redraw();
}

void Form1::openview() {
    FreePointer free(this);
    if (!abandon()) return;
    const QString path =
        QFileDialog::getOpenFileName(this, "Open", fromPath(gameFolder_), "View (*.scn);;All (*.*)",
                                     nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    openFrom(path);
}

bool Form1::openFrom(const QString& path) {
    FreePointer free(this);
    std::string bytes, error;
    model_.resetView();
    buffer = blankPicture();
    bool ok = viewfile::readFile(toPath(path), bytes, error);
    viewfile::ReadResult result;
    if (ok) {
        result = viewfile::read(bytes, model_);
        ok = result.ok;
        error = "Error in file\n" + result.error;
    }
    undo_->clear();
    committed_ = model_.document();
    if (!ok) {
        model_.resetView();
        committed_ = model_.document();
        setWindowTitle(kTitle);
        syncPanel();
        redraw();
        QMessageBox::critical(this, "Open View", fromPath(error));
        return false;
    }
    gameFolder_ = dialogs::folderOf(toPath(QFileInfo(path).absoluteFilePath()));
    loadBaseImageFrom(result.baseImage, true);
    setCaption(path);
    model_.selectedShape = 0;
    model_.showVertexCount(0);
    syncPanel();
    redraw();
    return true;
}

void Form1::loadBaseImageFrom(const std::string& name, bool warnOnFailure) {
    // The stored name stays in the view even when the picture is missing, so that
    // saving does not drop it.
    const std::string path = dialogs::resolveInGameFolder(gameFolder_, name);
    model_.baseImagePath = path;
    RgbImage rgb;
    if (!name.empty() && loadPictureFile(path, rgb)) {
        buffer = blankPicture();
        QPainter(&buffer).drawImage(0, 0, toQImage(rgb));
    } else if (warnOnFailure) {
        QMessageBox::warning(this, "Warning",
                             "Cannot load base image or no base image associated with view");
    }
}

void Form1::saveview() {
    QFileDialog dialog(this, "Save View", fromPath(gameFolder_), "View (*.scn);;All (*.*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    bool chosen = false;
    {
        FreePointer free(this);
        chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    }
    if (!chosen) return;
    saveTo(dialog.selectedFiles().first());
}

bool Form1::saveTo(const QString& chosenPath) {
    FreePointer free(this);
    const std::string path = viewfile::saveName(toPath(chosenPath));
    std::string error;
    if (!viewfile::writeFileAtomically(path, viewfile::write(model_), error)) {
        QMessageBox::critical(this, "Save View", fromPath(error));
        return false;
    }
    gameFolder_ = dialogs::folderOf(toPath(QFileInfo(fromPath(path)).absoluteFilePath()));
    setCaption(fromPath(path));
    const std::vector<std::string> problems = viewfile::engineProblems(model_);
    if (!problems.empty()) {
        QString list;
        for (const std::string& p : problems) list += "\n" + fromLatin(p);
        QMessageBox::warning(this, "Save View",
                             "The view was saved, but the engine will not read it:" + list);
    }
    return true;
}

void Form1::exitCommand() {
    FreePointer free(this);
    if (abandon()) close();
}

void Form1::closeEvent(QCloseEvent* e) {
    releaseCursor();
    e->accept();
    QApplication::quit();
}

void Form1::loadnewbaseimage() {
    FreePointer free(this);
    const QString path =
        QFileDialog::getOpenFileName(this, "Open Base Image", fromPath(gameFolder_), "All (*.*)",
                                     nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) {
        RgbImage rgb;
        std::string error;
        if (!loadPictureFile(toPath(path), rgb, &error)) {
            // The old picture stays shown, so its name stays with the view.
            QMessageBox::critical(this, "Load Base Image", "Error loading picture");
            return;
        }
        buffer = blankPicture();
        QPainter(&buffer).drawImage(0, 0, toQImage(rgb));
        model_.baseImagePath = toPath(path);
    }
    redraw();
}

void Form1::picklinecolour() {
    FreePointer free(this);
    const QColor chosen = QColorDialog::getColor(
        toQColor(model_.lineColour), this, "Pick Line Colour", QColorDialog::DontUseNativeDialog);
    if (chosen.isValid())
        model_.lineColour = static_cast<uint32_t>(chosen.red()) |
                            (static_cast<uint32_t>(chosen.green()) << 8) |
                            (static_cast<uint32_t>(chosen.blue()) << 16);
    redraw();
}

// ---------------------------------------------------------------- dialogs

void Form1::openDialog(QDialog* dialog) {
    // Shown without blocking; the main window takes no input until it closes.
    ++dialogsOpen_;
    applyConfinement();
    centralWidget()->setEnabled(false);
    menuBar()->setEnabled(false);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    connect(dialog, &QDialog::finished, this, &Form1::dialogClosed);
    dialog->show();
}

void Form1::dialogClosed() {
    --dialogsOpen_;
    applyConfinement();
    if (dialogsOpen_ > 0) return;
    centralWidget()->setEnabled(true);
    menuBar()->setEnabled(true);
    syncPanel();
    commit();
}

void Form1::viewproperty() {
    auto* dialog = new viewprop(this);
    dialog->setFields(model_.viewname, model_.onloadscript);
    connect(dialog, &viewprop::applied, this, [this, dialog] {
        model_.viewname = dialog->name();
        model_.onloadscript = dialog->script();
    });
    openDialog(dialog);
}

void Form1::propertybut() {
    const bool open = model_.propertybut();
    syncPanel();
    if (!open) return;
    auto* dialog = new hotprop(this);
    dialog->setvars(model_.selected());
    openDialog(dialog);
}

void Form1::editoverlay() {
    editoverlayAction->setChecked(model_.testOverlay.has_value());
    auto* dialog = new overlayprop(this);
    dialog->setLine(dialogs::overlayLine(model_.testOverlay ? &*model_.testOverlay : nullptr));
    connect(dialog, &overlayprop::okPressed, this, [this, dialog] {
        overlay parsed;
        switch (dialogs::checkOverlayLine(dialog->line(), parsed)) {
            case dialogs::OverlayCheck::NoHandle:
                return;
            case dialogs::OverlayCheck::Remove:
                model_.testOverlay.reset();
                pichold = QImage();
                break;
            case dialogs::OverlayCheck::Accept: {
                // The typed name is view text; as a file name it is bytes of the system's.
                const std::string path =
                    dialogs::resolveInGameFolder(gameFolder_, toPath(fromLatin(parsed.getFile())));
                if (!dialogs::nonEmptyFile(path)) {
                    QMessageBox::critical(dialog, "ERROR", "Cannot find image file");
                    return;
                }
                RgbImage rgb;
                if (!loadPictureFile(path, rgb)) {
                    QMessageBox::critical(dialog, "ERROR", "Error loading picture");
                    return;
                }
                model_.testOverlay = parsed;
                pichold = toQImage(rgb);
                break;
            }
        }
        editoverlayAction->setChecked(model_.testOverlay.has_value());
        redraw();
        dialog->accept();
    });
    openDialog(dialog);
}

void Form1::about() {
    auto* dialog = new frmAbout(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void Form1::testView() {
    FreePointer free(this);
    std::string error;
    const std::string engine = testview::findEngine(toPath(QCoreApplication::applicationDirPath()));
    if (engine.empty()) {
        QMessageBox::critical(this, "Test View", "Cannot find the program engine-windowed");
        return;
    }
    const std::string folder = testview::prepareFolder(gameFolder_, toPath(QDir::tempPath()),
                                                       viewfile::write(model_), error);
    if (folder.empty()) {
        QMessageBox::critical(this, "Test View", fromPath(error));
        return;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(fromPath(engine), {}, fromPath(folder), &pid)) {
        testview::removeFolder(folder);
        QMessageBox::critical(this, "Test View", "Cannot start " + fromPath(engine));
        return;
    }
    testRuns_.push_back({pid, folder});
}
