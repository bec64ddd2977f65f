#pragma once
// "Test View": a throw-away game folder that links every file of the real one and
// holds the edited view as "init.scn", so the engine starts straight into it.
#include <string>

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

}  // namespace testview
