#pragma once
// The main window's menu bar: File, Edit, View, Load Base Image, Overlay, Display
// Options and Help. The actions carry the names the window and the tests find them by; the window
// connects them.
class QAction;
class QMainWindow;
class QMenu;
class QUndoStack;

struct MainMenus {
    QAction* newview;
    QAction* openview;
    QAction* saveview;
    QAction* testview;
    QMenu* testslots;  // "Test View From Slot": filled with the saved slots when opened
    QAction* checkview;
    QAction* exit;
    QAction* undo;
    QAction* redo;
    QAction* zoomin;
    QAction* zoomout;
    QAction* zoom[4];  // 1x to 4x, one of them checked
    QAction* loadnewbaseimage;
    QAction* editoverlay;  // checked while a test overlay exists
    QAction* positionoverlay;
    QAction* picklinecolour;
    QAction* showpolygon;  // checked while polygons are shown
    QAction* about;
};

MainMenus buildMainMenus(QMainWindow* window, QUndoStack* undo);
