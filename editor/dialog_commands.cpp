#include "editor/dialog_commands.h"

#include <QAction>
#include <QColorDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>

#include "editor/dialog_logic.h"
#include "editor/dialogs.h"
#include "editor/editor_model.h"
#include "editor/file_commands.h"
#include "editor/pointer_confinement.h"
#include "editor/qt_convert.h"
#include "editor/view_picture.h"

DialogCommands::DialogCommands(QMainWindow* window, EditorModel& model, ViewPicture& picture,
                               PointerConfinement& pointer, const FileCommands& files,
                               QAction* editoverlayItem, std::function<void()> show)
    : window_(window),
      model_(model),
      picture_(picture),
      pointer_(pointer),
      files_(files),
      editoverlayItem_(editoverlayItem),
      show_(std::move(show)) {}

void DialogCommands::openDialog(QDialog* dialog) {
    ++dialogsOpen_;
    pointer_.dialogOpened();
    window_->centralWidget()->setEnabled(false);
    window_->menuBar()->setEnabled(false);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    QObject::connect(dialog, &QDialog::finished, window_, [this] { dialogClosed(); });
    dialog->show();
}

void DialogCommands::dialogClosed() {
    --dialogsOpen_;
    pointer_.dialogClosed();
    if (dialogsOpen_ > 0) return;
    window_->centralWidget()->setEnabled(true);
    window_->menuBar()->setEnabled(true);
    show_();
}

void DialogCommands::viewproperty() {
    auto* dialog = new viewprop(window_);
    dialog->setFields(model_.viewname, model_.onloadscript);
    QObject::connect(dialog, &viewprop::applied, window_, [this, dialog] {
        model_.edits().setViewProperties(ViewFields{dialog->name(), dialog->script()});
    });
    openDialog(dialog);
}

void DialogCommands::propertybut() {
    const bool open = model_.propertybut();
    show_();
    if (!open) return;
    auto* dialog = new hotprop(window_);
    dialog->setvars(model_.selected());
    const int16_t index = model_.selectedShape;
    QObject::connect(dialog, &hotprop::applied, window_,
                     [this, dialog, index] { model_.edits().setHotspot(index, dialog->fields()); });
    openDialog(dialog);
}

void DialogCommands::editoverlay() {
    editoverlayItem_->setChecked(model_.testOverlay.has_value());
    auto* dialog = new overlayprop(window_);
    dialog->setLine(dialogs::overlayLine(model_.testOverlay ? &*model_.testOverlay : nullptr));
    QObject::connect(dialog, &overlayprop::okPressed, window_, [this, dialog] {
        overlay parsed;
        switch (dialogs::checkOverlayLine(dialog->line(), parsed)) {
            case dialogs::OverlayCheck::NoHandle:
                return;
            case dialogs::OverlayCheck::Remove:
                model_.testOverlay.reset();
                picture_.clearOverlay();
                break;
            case dialogs::OverlayCheck::Accept: {
                // The typed name is view text; as a file name it is bytes of the system's.
                const std::string path = dialogs::resolveInGameFolder(
                    files_.gameFolder(), toPath(fromLatin(parsed.getFile())));
                if (!dialogs::nonEmptyFile(path)) {
                    QMessageBox::critical(dialog, "ERROR", "Cannot find image file");
                    return;
                }
                if (!picture_.loadOverlay(path)) {
                    QMessageBox::critical(dialog, "ERROR", "Error loading picture");
                    return;
                }
                model_.testOverlay = parsed;
                break;
            }
        }
        editoverlayItem_->setChecked(model_.testOverlay.has_value());
        show_();
        dialog->accept();
    });
    openDialog(dialog);
}

void DialogCommands::picklinecolour() {
    PointerConfinement::FreePointer free(pointer_);
    const QColor chosen =
        QColorDialog::getColor(toQColor(model_.lineColour), window_, "Pick Line Colour",
                               QColorDialog::DontUseNativeDialog);
    if (chosen.isValid()) model_.lineColour = fromQColor(chosen);
    show_();
}

void DialogCommands::about() {
    auto* dialog = new frmAbout(window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}
