#pragma once
// The engine with nothing but its game logic: the same interpreter, commands, views and
// hotspots, on a host with no pictures, no sound, no movies and no screen, so transitions
// and fades are skipped and a click costs what its scripts cost. Views are read once and
// kept. For tools that play a game many times over (the solver), one per thread.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/game_snapshot.h"

class Engine;
class View;
struct Inventory;
class LogicHost;

class LogicEngine {
public:
    explicit LogicEngine(const std::string& folder);
    ~LogicEngine();
    LogicEngine(const LogicEngine&) = delete;
    LogicEngine& operator=(const LogicEngine&) = delete;

    // Start-up as a player's engine does it (the title movie is not played): the first
    // view and its on-load script. False when start-up failed fatally.
    bool start();

    GameSnapshot capture() const;
    // False when the snapshot's view could not be made again.
    bool restore(const GameSnapshot& snapshot);

    // A player's action: the right button until the inventory entry `selection` (-1:
    // none) is held, the pointer to (x, y), then the left button; with the frames around
    // them as the engine runs them (the "cursor" variables published before and after).
    void click(int x, int y, int selection);

    const View* view() const;
    const Inventory& inventory() const;
    const Variables& variables() const;
    int mode() const;
    // The state report's lines, as engine-headless prints them for "state".
    std::vector<std::string> stateLines() const;
    // Every console line from now on (null: none).
    void setConsoleListener(std::function<void(const std::string&)> listener);

private:
    void publishCursor(int x, int y);

    std::unique_ptr<LogicHost> host_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<ViewLibrary> views_;
};
