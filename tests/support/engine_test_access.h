#pragma once
// The tests' and benchmarks' way into an engine: its engine-wide state, which programs
// read only through the state report, and its parts, to arrange a game and look at it.
#include "engine/engine.h"

class EngineTestAccess {
public:
    static GameState& state(Engine& engine) { return engine.state_; }
    static Scene& scene(Engine& engine) { return engine.scene_; }
    static Screenshots& screenshots(Engine& engine) { return engine.screenshots_; }
    static SavedGames& saves(Engine& engine) { return engine.saves_; }
    static SaveLoadPage& page(Engine& engine) { return engine.page_; }
    static PlayFrames& frames(Engine& engine) { return engine.frames_; }
    static bool isShutDown(const Engine& engine) { return engine.shutDown_; }
};
