#include "editor/main_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QUndoStack>

namespace {

QAction* addAction(QMenu* menu, const char* name, const char* text,
                   QKeySequence key = QKeySequence()) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
}

}  // namespace

MainMenus buildMainMenus(QMainWindow* window, QUndoStack* undo) {
    MainMenus m{};
    QMenuBar* bar = window->menuBar();

    QMenu* file = bar->addMenu("File");
    m.newview = addAction(file, "newview", "New View", QKeySequence(Qt::CTRL | Qt::Key_N));
    m.openview = addAction(file, "openview", "Open View", QKeySequence(Qt::CTRL | Qt::Key_O));
    m.saveview = addAction(file, "saveview", "Save View", QKeySequence(Qt::CTRL | Qt::Key_S));
    m.testview = addAction(file, "testview", "Test View", QKeySequence(Qt::CTRL | Qt::Key_T));
    m.testslots = file->addMenu("Test View From Slot");
    m.testslots->setObjectName("testslots");
    m.checkview = addAction(file, "checkview", "Check View", QKeySequence(Qt::CTRL | Qt::Key_K));
    file->addSeparator();
    m.exit = addAction(file, "exit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = bar->addMenu("Edit");
    m.undo = undo->createUndoAction(window, "Undo");
    m.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redo = undo->createRedoAction(window, "Redo");
    m.redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(m.undo);
    edit->addAction(m.redo);

    QMenu* view = bar->addMenu("View");
    m.zoomin = addAction(view, "zoomin", "Zoom In");
    m.zoomin->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    m.zoomout = addAction(view, "zoomout", "Zoom Out", QKeySequence(Qt::CTRL | Qt::Key_Minus));
    view->addSeparator();
    auto* zooms = new QActionGroup(window);
    for (int z = 1; z <= 4; ++z) {
        const QByteArray name = "zoom" + QByteArray::number(z);
        QAction* a = addAction(view, name.constData(), (QByteArray::number(z) + "x").constData());
        a->setCheckable(true);
        a->setChecked(z == 1);
        zooms->addAction(a);
        m.zoom[z - 1] = a;
    }

    m.loadnewbaseimage = bar->addAction("Load Base Image");
    m.loadnewbaseimage->setObjectName("loadnewbaseimage");

    QMenu* overlayMenu = bar->addMenu("Overlay");
    m.editoverlay = addAction(overlayMenu, "editoverlay", "Edit Test Overlay");
    m.editoverlay->setCheckable(true);
    m.positionoverlay = addAction(overlayMenu, "positionoverlay", "Position Test Overlay");

    QMenu* display = bar->addMenu("Display Options");
    m.picklinecolour = addAction(display, "picklinecolour", "Pick Line Colour");
    m.showpolygon = addAction(display, "showpolygon", "Show Polygons");
    m.showpolygon->setCheckable(true);

    QMenu* help = bar->addMenu("Help");
    m.about = addAction(help, "about", "About");
    return m;
}
