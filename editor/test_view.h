#pragma once
// "Test View": a saved view is tested in its own game folder by an engine that starts
// at it and reloads it whenever it is saved again; an unsaved one in a throw-away game
// folder that links every file of the real one and holds the edited view as "init.scn".
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testview {

// Creates a fresh folder under `tempRoot`, links the entries of `gameFolder` into it
// (except "init.scn") and writes `viewText` as its "init.scn". Returns the folder, or
// an empty text with `error` set.
std::string prepareFolder(const std::string& gameFolder, const std::string& tempRoot,
                          const std::string& viewText, std::string& error);

// Removes a folder made by prepareFolder; the linked game files are not followed.
void removeFolder(const std::string& folder);

// A program of the project: beside the editor, one folder up (the build tree), or on
// the search path. Empty when none is found.
std::string findProgram(const std::string& editorFolder, const std::string& program);
// The engine program to start (engine-windowed), found so.
std::string findEngine(const std::string& editorFolder);

// The saved slots of the game folder (1 to 30) whose state file is there, in order.
std::vector<int> savedSlots(const std::string& gameFolder);

// What the engine is told through its environment: watch the folder, start at the view
// file (its name within the game folder) and, with a slot from 1 to 30, restore it.
std::vector<std::pair<std::string, std::string>> engineEnvironment(const std::string& viewName,
                                                                   int slot);

// An engine started on a game folder.
struct EngineRun {
    long long pid = 0;
    std::string gameFolder;
};
// The index in `runs` of the last engine on `gameFolder` that `alive` says still runs, or
// -1. Folders compare by the file they name, not by spelling.
int runningEngine(const std::vector<EngineRun>& runs, const std::string& gameFolder,
                  const std::function<bool(long long pid)>& alive);

}  // namespace testview
