#include "editor/check_view_dock.h"

#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>

#include "editor/check_view.h"
#include "editor/qt_convert.h"
#include "editor/test_view.h"

CheckViewDock::CheckViewDock(QWidget* parent, std::function<void(int)> selectHotspot)
    : QDockWidget("Check View", parent), selectHotspot_(std::move(selectHotspot)) {
    setObjectName("checkviewdock");
    list_ = new QListWidget(this);
    list_->setObjectName("checklist");
    setWidget(list_);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row >= static_cast<int>(problems_.size())) return;
        if (problems_[static_cast<size_t>(row)].hotspot >= 0 && selectHotspot_)
            selectHotspot_(problems_[static_cast<size_t>(row)].hotspot);
    });
}

void CheckViewDock::check(const std::string& gameFolder, const std::string& viewText) {
    const std::string checker =
        checkview::findChecker(toPath(QCoreApplication::applicationDirPath()));
    if (checker.empty()) {
        QMessageBox::critical(parentWidget(), "Check View", "Cannot find the program vorlen-check");
        return;
    }
    std::string error;
    const std::string folder =
        testview::prepareFolder(gameFolder, toPath(QDir::tempPath()), viewText, error);
    if (folder.empty()) {
        QMessageBox::critical(parentWidget(), "Check View", fromPath(error));
        return;
    }
    QStringList arguments;
    for (const std::string& a : checkview::checkerArguments(folder)) arguments << fromPath(a);
    QProcess process;
    process.start(fromPath(checker), arguments);
    const bool finished = process.waitForFinished(60000);
    const std::string output = process.readAllStandardOutput().toStdString();
    const int status = finished ? process.exitCode() : -1;
    testview::removeFolder(folder);
    if (!finished || process.exitStatus() != QProcess::NormalExit || status > 1) {
        QMessageBox::critical(
            parentWidget(), "Check View",
            "vorlen-check failed: " + QString::fromLocal8Bit(process.readAllStandardError()));
        return;
    }
    show(checkview::parseOutput(output));
}

void CheckViewDock::show(const std::vector<Diagnostic>& problems) {
    problems_ = problems;
    list_->clear();
    for (const Diagnostic& d : problems_) list_->addItem(fromLatin(checkview::listText(d)));
    if (problems_.empty()) list_->addItem("No problems found");
    QDockWidget::show();
}
