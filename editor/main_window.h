#pragma once
// Form1, the editor's main window. It holds the parts — the drawing area Picture1, the
// panel controlholder, the menus, the file and dialog commands, the undo history and
// Test View — and wires them to the model. The editing state and the tools are
// EditorModel's.
#include <QMainWindow>
#include <QPointF>
#include <memory>

#include "editor/editor_model.h"
#include "editor/main_menus.h"
#include "editor/test_view_launch.h"
#include "editor/undo_commands.h"
#include "editor/undoable_edits.h"
#include "editor/view_picture.h"

class CheckViewDock;
class DialogCommands;
class DrawingArea;
class FileCommands;
class PointerConfinement;
class QUndoStack;
class ToolPanel;

class Form1 : public QMainWindow, public ToolHost {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    EditorModel& model() { return model_; }
    QUndoStack* undoStack() { return undo_; }
    // Recomposes and shows the drawing area (public: dialogs call it).
    void redraw() override;
    // Moves the system pointer to a point of a widget's client area.
    static bool SetCursorPosition(QWidget* hwnd, int xPos, int yPos);

    // The file parts of Open View and Save View, once a path is chosen.
    bool saveTo(const QString& chosenPath);
    bool openFrom(const QString& path);

    // From the drawing area, in picture pixels.
    void areaPressed(int button, QPointF p);
    void areaMoved(int buttons, QPointF p);
    void areaReleased();

    // ToolHost
    void restrictCursor() override;
    void releaseCursor() override;
    bool askClosePolygon() override;
    void setCursorPosition(int x, int y) override;
    void noOverlayMessage() override;
    void drawRubberBand(double x, double y) override;
    void coordinatesChanged() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void connectPanel();
    void connectMenus();
    // Labels, tool highlight and menu check marks follow the model.
    void syncPanel();
    // The View menu's check mark and which way it can still zoom.
    void showZoom(int zoom);
    // With a slot (1 to 30) the engine restores it after starting at the view.
    void testView(int slot = 0);
    void fillSlotMenu();
    void checkView();

    EditorModel model_;
    QUndoStack* undo_;
    UndoTarget undoTarget_;
    UndoableEdits undoEdits_;
    ViewPicture picture_;
    DrawingArea* Picture1;
    ToolPanel* controlholder;
    MainMenus menus_;
    std::unique_ptr<PointerConfinement> pointer_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<DialogCommands> dialogs_;
    TestViewLauncher launcher_;
    CheckViewDock* checkDock_ = nullptr;
};
