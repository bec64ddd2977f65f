#pragma once
// Test View: starts engine-windowed on the edited view in a throw-away copy of the game
// folder. The folders of engines that have ended are removed when the editor closes;
// a running engine keeps its own.
#include <QtGlobal>
#include <string>
#include <utility>
#include <vector>

class QWidget;

class TestViewLauncher {
public:
    TestViewLauncher() = default;
    ~TestViewLauncher();
    TestViewLauncher(const TestViewLauncher&) = delete;
    TestViewLauncher& operator=(const TestViewLauncher&) = delete;

    // Reports failures in message boxes over `window`.
    void launch(QWidget* window, const std::string& gameFolder, const std::string& viewText);

private:
    std::vector<std::pair<qint64, std::string>> runs_;  // engine id, its folder
};
