#pragma once
// The frames of play and of the ending: the pointer position a frame uses, the keys and
// clicks of a Play frame, its drawing and its hotspot clicks. The save/load page runs
// its own frames. It reaches the rest of the engine only through the references it is
// built with.
#include <functional>
#include <string>

class AccessiblePlay;
class Assets;
class Interpreter;
class PlayRecorder;
class SaveLoadPage;
class Scene;
class Screenshots;
class Surface;
struct AccessAction;
struct GameState;

class PlayFrames {
public:
    // Runs a typed console line (Enter on the console).
    using ConsoleLine = std::function<void(const std::string& line)>;

    // All outlive the frames. `action` is accessible play's action for the frame being
    // run, set before each frame.
    PlayFrames(GameState& state, Scene& scene, Assets& assets, Interpreter& interpreter,
               AccessiblePlay& access, const AccessAction& action, PlayRecorder& recorder,
               SaveLoadPage& page, Screenshots& screenshots, ConsoleLine consoleLine);
    PlayFrames(const PlayFrames&) = delete;
    PlayFrames& operator=(const PlayFrames&) = delete;

    // The pointer position the frames use (the windowed rule: the last mouse move).
    void pointerPosition(int& x, int& y) const;
    // One frame of each mode, with the pointer position of this frame.
    void play(int x, int y);
    void ending();

    // Runs the click script of the hotspot under (x, y), if the held item allows it.
    void clickHotspot(int x, int y);
    // Publishes "cursor" and "cursorinv"; returns the cursor kind under (x, y), -1 none.
    int publishCursorVariables(int x, int y);

private:
    bool pressed(int code) const;
    // The keys of a Play frame after its drawing: screenshot, recording, the pages.
    void frameKeys(Surface& back);

    GameState& state_;
    Scene& scene_;
    Assets& assets_;
    Interpreter& interpreter_;
    AccessiblePlay& access_;
    const AccessAction& action_;
    PlayRecorder& recorder_;
    SaveLoadPage& page_;
    Screenshots& screenshots_;
    ConsoleLine consoleLine_;
};
