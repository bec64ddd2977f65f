#pragma once
// The commands on whole files: New View, Open View, Save View, Exit and Load Base
// Image. They keep the game folder: the folder of the view opened or saved last, where
// the pictures a view names are looked for.
#include <QString>
#include <functional>
#include <string>

class EditorModel;
class PointerConfinement;
class QUndoStack;
class QWidget;
class ViewPicture;

class FileCommands {
public:
    // `show` makes the panel and the drawing area show the model again.
    FileCommands(QWidget* window, EditorModel& model, ViewPicture& picture,
                 PointerConfinement& pointer, QUndoStack* undo, std::function<void()> show);

    void newview();
    void openview();
    void saveview();
    void exitCommand();
    void loadnewbaseimage();

    // The file parts of Open View and Save View, once a path is chosen.
    bool openFrom(const QString& path);
    bool saveTo(const QString& chosenPath);

    const std::string& gameFolder() const { return gameFolder_; }
    // The file the view was opened from or saved to last; empty for a new view.
    const std::string& viewPath() const { return viewPath_; }

private:
    bool abandon();
    void setCaption(const QString& path);
    void loadBaseImageFrom(const std::string& name);
    void warnNoBaseImage();

    QWidget* window_;
    EditorModel& model_;
    ViewPicture& picture_;
    PointerConfinement& pointer_;
    QUndoStack* undo_;
    std::function<void()> show_;
    std::string gameFolder_;
    std::string viewPath_;
};
