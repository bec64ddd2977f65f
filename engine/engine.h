#pragma once
// One engine per program run: it owns the game state and every subsystem, and runs
// start-up, the main loop, the window procedure and shutdown. Everything it needs from
// the platform comes from its EngineHost, and every file it reads or writes lies in its
// game folder, so two engines can run side by side in one process.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/access/accessible_play.h"
#include "engine/assets.h"
#include "engine/engine_host.h"
#include "engine/game_services.h"
#include "engine/game_state.h"
#include "engine/live_reload.h"
#include "engine/movie_players.h"
#include "engine/play_frames.h"
#include "engine/play_recorder.h"
#include "engine/save_load_page.h"
#include "engine/saved_games.h"
#include "engine/scene.h"
#include "engine/screenshots.h"
#include "engine/view_picture_memory.h"
#include "media/music_decoder.h"
#include "platform/game_folder.h"
#include "script/interpreter.h"

struct WindowEvent;

class Engine {
public:
    explicit Engine(EngineHost& host, GameFolder folder = GameFolder());
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Start-up in its fixed order: window and platform objects, pointer and console
    // pictures, the title movie, the first view. True, with the code, when the quit
    // message arrived during start-up (a fatal error); the caller then ends at once.
    bool start(int& exitCode);
    // Drains the waiting messages through the window procedure. True, with the code,
    // when the quit message was among them.
    bool pumpMessages(int& exitCode);
    // One pass of the main loop: messages, then (while active) one frame of the mode.
    bool runLoopPass(int& exitCode);
    // The window procedure.
    void handleWindowEvent(const WindowEvent& event);
    // Releases everything in its fixed order; a second call does nothing.
    void shutdown();

    // The engine's parts. The engine-wide state itself is read through the state report
    // (engine/state_report.h); tests reach it through their own peer.
    const GameServices& services() const { return services_; }
    Interpreter& interpreter() { return interpreter_; }
    Console& console() { return state_.console; }
    Assets& assets() { return assets_; }
    const GameFolder& folder() const { return folder_; }
    AccessiblePlay& access() { return access_; }

    // What Enter does with a typed console line: trimmed, and if anything is left, the
    // panel scrolls to the end and the line runs as a one-line script in console mode.
    void runConsoleLine(const std::string& line);

private:
    // The logic-only engine drives clicks and cursor variables without frames.
    friend class LogicEngine;
    // The `S key=value` lines read the whole game.
    friend std::vector<std::string> stateReport(Engine& engine);
    // Tests read and arrange the engine-wide state directly (tests/support).
    friend class EngineTestAccess;

    bool setUpWindow();

    EngineHost& host_;
    GameFolder folder_;
    GameState state_;
    Interpreter interpreter_;
    Assets assets_;
    NoMusicDecoders noMusic_;  // for a program that links no music decoder
    bool shutDown_ = false;
    ViewPictureMemory viewMemory_;
    // The backdrop, the view, the overlays and the pending transition.
    Scene scene_{state_.screen,    folder_,        assets_,     state_.console, interpreter_,
                 state_.variables, state_.pointer, state_.mode, viewMemory_};
    // Saving and loading slots.
    SavedGames saves_{folder_,       host_.services().pictures, state_.console,   scene_,
                      state_.screen, state_.variables,          state_.inventory, state_.music,
                      interpreter_};
    // The save/load page.
    SaveLoadPage page_{state_.savePage, state_.mode, state_.pointer, saves_,        scene_,
                       viewMemory_,     folder_,     assets_,        state_.screen, state_.input};
    // The full-screen and in-scene movie players.
    MoviePlayers movies_{host_,  state_.screen,  state_.mixer, state_.events,
                         scene_, state_.console, folder_,      state_.debugMode};
    Screenshots screenshots_{state_.screen, folder_, host_.services(), state_.console};
    // What the script commands may use; built once, after the parts it refers to.
    GameServices services_{interpreter_, folder_,       assets_,          scene_,
                           movies_,      screenshots_,  state_.inventory, state_.screen,
                           state_.mixer, state_.sounds, state_.music,     state_.debugMode,
                           saves_};
    // Watches the game folder when the editor started the engine to test a view.
    std::unique_ptr<LiveReload> liveReload_;
    // F10: the presents and the mix reach it through taps on the display and the output.
    PlayRecorder playRecorder_{host_.clock(), host_.services().recorders, folder_, state_.console};
    // Keyboard, gamepad and switch play; its action for the frame being run.
    AccessiblePlay access_{scene_};
    AccessAction accessAction_;
    // The Play and Ending frames.
    PlayFrames frames_{state_,        scene_,
                       assets_,       interpreter_,
                       access_,       accessAction_,
                       playRecorder_, page_,
                       screenshots_,  [this](const std::string& line) { runConsoleLine(line); }};
};

// Runs the main loop until the quit message; returns its code.
int runMainLoop(Engine& engine);
