#pragma once
// Reading the current view's files again while the game runs, for authors testing a view
// they edit: the view file swapped in place, and the pictures, frame sheets and sounds the
// view shows read afresh. Variables, inventory, selection and mode stay as they are.
#include <string>

class Engine;

class ViewReload {
public:
    explicit ViewReload(Engine& engine) : engine_(engine) {}

    // Reads the current view's file again and swaps it in: hotspot enabled flags carried
    // over by name, the base image redrawn, "Reloaded FILE" on the console. With
    // `runOnLoad` the overlays go and the on-load script runs again (at `depth`). When
    // the file does not read, the reader's line is printed in red, the old view stays and
    // the result is false.
    bool reloadView(bool runOnLoad, int depth = 0);
    // A file of the game folder was written: the view when it is the current view's file,
    // else the base image, overlay pictures, frame sheets and loaded sounds made from it.
    void fileChanged(const std::string& file);

private:
    void redrawBase();

    Engine& engine_;
};
