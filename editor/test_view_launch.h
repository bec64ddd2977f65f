#pragma once
// Test View: starts engine-windowed on the edited view. A saved view is tested in its
// game folder by an engine that watches it, so saving again shows in the running game;
// an unsaved one in a throw-away copy of the game folder. The throw-away folders of
// engines that have ended are removed when the editor closes; a running engine keeps its
// own.
#include <QtGlobal>
#include <string>
#include <utility>
#include <vector>

#include "editor/test_view.h"

class QWidget;

class TestViewLauncher {
public:
    TestViewLauncher() = default;
    ~TestViewLauncher();
    TestViewLauncher(const TestViewLauncher&) = delete;
    TestViewLauncher& operator=(const TestViewLauncher&) = delete;

    // Reports failures in message boxes over `window`.
    void launch(QWidget* window, const std::string& gameFolder, const std::string& viewText);
    // The saved view `viewName` of `gameFolder`: an engine this editor started on the
    // folder that still runs reloads the view by itself, so none is started; else one
    // starts at the view. With a slot (1 to 30) a running one is ended and the new one
    // restores the slot.
    void launchLive(QWidget* window, const std::string& gameFolder, const std::string& viewName,
                    int slot);

private:
    std::vector<std::pair<qint64, std::string>> runs_;  // engine id, its folder
    std::vector<testview::EngineRun> liveRuns_;
};
