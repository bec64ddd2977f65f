#include "editor/test_view_launch.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>

#include "editor/qt_convert.h"
#include "editor/test_view.h"

TestViewLauncher::~TestViewLauncher() {
    for (const auto& [pid, folder] : runs_)
        if (::kill(static_cast<pid_t>(pid), 0) != 0) testview::removeFolder(folder);
}

void TestViewLauncher::launch(QWidget* window, const std::string& gameFolder,
                              const std::string& viewText) {
    const std::string engine = testview::findEngine(toPath(QCoreApplication::applicationDirPath()));
    if (engine.empty()) {
        QMessageBox::critical(window, "Test View", "Cannot find the program engine-windowed");
        return;
    }
    std::string error;
    const std::string folder =
        testview::prepareFolder(gameFolder, toPath(QDir::tempPath()), viewText, error);
    if (folder.empty()) {
        QMessageBox::critical(window, "Test View", fromPath(error));
        return;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(fromPath(engine), {}, fromPath(folder), &pid)) {
        testview::removeFolder(folder);
        QMessageBox::critical(window, "Test View", "Cannot start " + fromPath(engine));
        return;
    }
    runs_.push_back({pid, folder});
}

void TestViewLauncher::launchLive(QWidget* window, const std::string& gameFolder,
                                  const std::string& viewName, int slot) {
    auto alive = [](long long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0; };
    int running = testview::runningEngine(liveRuns_, gameFolder, alive);
    if (running >= 0 && slot == 0) return;  // it saw the save and reloads the view
    if (running >= 0)
        ::kill(static_cast<pid_t>(liveRuns_[static_cast<size_t>(running)].pid), SIGTERM);
    const std::string engine = testview::findEngine(toPath(QCoreApplication::applicationDirPath()));
    if (engine.empty()) {
        QMessageBox::critical(window, "Test View", "Cannot find the program engine-windowed");
        return;
    }
    QProcess process;
    process.setProgram(fromPath(engine));
    process.setWorkingDirectory(fromPath(gameFolder.empty() ? "." : gameFolder));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : testview::engineEnvironment(viewName, slot))
        env.insert(QString::fromStdString(name), fromPath(value));
    process.setProcessEnvironment(env);
    qint64 pid = 0;
    if (!process.startDetached(&pid)) {
        QMessageBox::critical(window, "Test View", "Cannot start " + fromPath(engine));
        return;
    }
    liveRuns_.push_back({pid, gameFolder});
}
