#pragma once
// The dock that lists what Check View found. It runs the checker on the open view and
// shows its lines; clicking a line that names a hotspot selects that hotspot.
#include <QDockWidget>
#include <functional>
#include <string>
#include <vector>

#include "tools/checker/diagnostics.h"

class QListWidget;

class CheckViewDock : public QDockWidget {
    Q_OBJECT
public:
    // `selectHotspot` gets the index of the hotspot in the view's list.
    CheckViewDock(QWidget* parent, std::function<void(int)> selectHotspot);

    // Saves the view text beside the game's files, checks it and lists the result;
    // failures to run the checker go to a message box.
    void check(const std::string& gameFolder, const std::string& viewText);
    // The problems listed now.
    const std::vector<Diagnostic>& problems() const { return problems_; }
    QListWidget* list() const { return list_; }

private:
    void show(const std::vector<Diagnostic>& problems);

    QListWidget* list_;
    std::function<void(int)> selectHotspot_;
    std::vector<Diagnostic> problems_;
};
