#pragma once
// The commands that open the editor's dialogs: hotspot and view properties, the test
// overlay line, the line colour and the about box. The three editing dialogs are shown
// without blocking; the main window takes no input until they close.
#include <functional>

class EditorModel;
class FileCommands;
class PointerConfinement;
class QAction;
class QDialog;
class QMainWindow;
class ViewPicture;

class DialogCommands {
public:
    // `show` makes the panel and the drawing area show the model again;
    // `editoverlayItem` is the menu item that carries the test overlay's check mark.
    DialogCommands(QMainWindow* window, EditorModel& model, ViewPicture& picture,
                   PointerConfinement& pointer, const FileCommands& files, QAction* editoverlayItem,
                   std::function<void()> show);

    void viewproperty();
    void propertybut();
    void editoverlay();
    void picklinecolour();
    void about();

private:
    void openDialog(QDialog* dialog);
    void dialogClosed();

    QMainWindow* window_;
    EditorModel& model_;
    ViewPicture& picture_;
    PointerConfinement& pointer_;
    const FileCommands& files_;
    QAction* editoverlayItem_;
    std::function<void()> show_;
    int dialogsOpen_ = 0;
};
