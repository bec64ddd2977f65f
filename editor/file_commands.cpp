#include "editor/file_commands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUndoStack>
#include <QWidget>

#include "editor/dialog_logic.h"
#include "editor/editor_model.h"
#include "editor/picture_pixels.h"
#include "editor/pointer_confinement.h"
#include "editor/qt_convert.h"
#include "editor/text_util.h"
#include "editor/view_file.h"
#include "editor/view_picture.h"
#include "platform/image/file_writer.h"

namespace {
const QString kTitle = "Pandrel";
}

FileCommands::FileCommands(QWidget* window, EditorModel& model, ViewPicture& picture,
                           PointerConfinement& pointer, QUndoStack* undo,
                           std::function<void()> show)
    : window_(window),
      model_(model),
      picture_(picture),
      pointer_(pointer),
      undo_(undo),
      show_(std::move(show)),
      gameFolder_(toPath(QDir::currentPath())) {}

void FileCommands::setCaption(const QString& path) {
    window_->setWindowTitle(kTitle + " - " + fromPath(text::baseName(toPath(path))));
}

bool FileCommands::abandon() {
    PointerConfinement::FreePointer free(pointer_);
    return QMessageBox::warning(window_, "Warning", "Abandon current view?",
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void FileCommands::newview() {
    PointerConfinement::FreePointer free(pointer_);
    if (!abandon()) return;
    model_.resetView();
    picture_.clearBase();
    undo_->clear();
    viewPath_.clear();
    window_->setWindowTitle(kTitle);
    show_();
}

void FileCommands::openview() {
    PointerConfinement::FreePointer free(pointer_);
    if (!abandon()) return;
    const QString path = QFileDialog::getOpenFileName(window_, "Open", fromPath(gameFolder_),
                                                      "View (*.scn);;All (*.*)", nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    openFrom(path);
}

bool FileCommands::openFrom(const QString& path) {
    PointerConfinement::FreePointer free(pointer_);
    const std::string folder = dialogs::folderOf(toPath(QFileInfo(path).absoluteFilePath()));
    std::string bytes, error;
    model_.resetView();
    picture_.clearBase();
    bool ok = viewfile::readFile(toPath(path), bytes, error);
    viewfile::ReadResult result;
    if (ok) {
        result = viewfile::read(bytes, model_);
        ok = result.ok;
        error = "Error in file\n" + result.error;
    }
    undo_->clear();
    if (!ok) {
        model_.resetView();
        window_->setWindowTitle(kTitle);
        show_();
        // The picture is looked for as soon as its line has been read, so a file that
        // fails further on still says that its picture is missing.
        RgbImage rgb;
        if (result.baseImageRead &&
            (result.baseImage.empty() ||
             !loadPictureFile(dialogs::resolveInGameFolder(folder, result.baseImage), rgb)))
            warnNoBaseImage();
        viewPath_.clear();
        QMessageBox::critical(window_, "Open View", fromPath(error));
        return false;
    }
    gameFolder_ = folder;
    viewPath_ = toPath(QFileInfo(path).absoluteFilePath());
    loadBaseImageFrom(result.baseImage);
    setCaption(path);
    model_.selectedShape = 0;
    model_.showVertexCount(0);
    show_();
    return true;
}

void FileCommands::loadBaseImageFrom(const std::string& name) {
    // The stored name stays in the view even when the picture is missing, so that
    // saving does not drop it.
    const std::string path = dialogs::resolveInGameFolder(gameFolder_, name);
    model_.baseImagePath = path;
    if (name.empty() || !picture_.loadBase(path)) warnNoBaseImage();
}

void FileCommands::warnNoBaseImage() {
    QMessageBox::warning(window_, "Warning",
                         "Cannot load base image or no base image associated with view");
}

void FileCommands::saveview() {
    QFileDialog dialog(window_, "Save View", fromPath(gameFolder_), "View (*.scn);;All (*.*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    bool chosen = false;
    {
        PointerConfinement::FreePointer free(pointer_);
        chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    }
    if (!chosen) return;
    saveTo(dialog.selectedFiles().first());
}

bool FileCommands::saveTo(const QString& chosenPath) {
    PointerConfinement::FreePointer free(pointer_);
    const std::string path = viewfile::saveName(toPath(chosenPath));
    std::string error;
    if (!writeFileAtomically(path, viewfile::write(model_), &error)) {
        QMessageBox::critical(window_, "Save View", fromPath(error));
        return false;
    }
    viewPath_ = toPath(QFileInfo(fromPath(path)).absoluteFilePath());
    gameFolder_ = dialogs::folderOf(viewPath_);
    setCaption(fromPath(path));
    const std::vector<std::string> problems = viewfile::engineProblems(model_);
    if (!problems.empty()) {
        QString list;
        for (const std::string& p : problems) list += "\n" + fromLatin(p);
        QMessageBox::warning(window_, "Save View",
                             "The view was saved, but the engine will not read it:" + list);
    }
    return true;
}

void FileCommands::exitCommand() {
    PointerConfinement::FreePointer free(pointer_);
    if (abandon()) window_->close();
}

void FileCommands::loadnewbaseimage() {
    PointerConfinement::FreePointer free(pointer_);
    const QString path =
        QFileDialog::getOpenFileName(window_, "Open Base Image", fromPath(gameFolder_), "All (*.*)",
                                     nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) {
        if (!picture_.loadBase(toPath(path))) {
            // The old picture stays shown, so its name stays with the view.
            QMessageBox::critical(window_, "Load Base Image", "Error loading picture");
            return;
        }
        model_.baseImagePath = toPath(path);
    }
    show_();
}
