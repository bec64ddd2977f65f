#pragma once
// The part of a running game that later clicks can observe, as a plain value: the view
// and its hotspots' switches and condition results, the variables, the inventory and its
// selection, the mode, the pending transition and jump label. Capturing and restoring it
// runs no script and reads no file once the view is known, so a search over a game's
// states can copy the game as cheaply as a few strings.
//
// Left out on purpose: pictures, overlays, sounds and music. No script command reads
// them back (there is no condition on an overlay or a sound), so two games that differ
// only there answer every later click alike.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "script/variables.h"

class GameFolder;
class Interpreter;
class MessageSink;
class Scene;
class View;
struct GameState;

struct GameSnapshot {
    bool hasView = false;
    std::string view;  // the view's file name as the game named it
    // One byte per hotspot of the view: bit 0 enabled, bit 1 condition result.
    std::vector<uint8_t> hotspotFlags;
    Variables variables;
    std::map<std::string, int32_t> itemTable;
    std::vector<int32_t> inventory;
    int32_t selection = -1;
    int32_t mode = 1;
    std::string transitionType;
    int32_t transitionStep = 0;
    std::string pendingLabel;
    bool echo = true;
    bool debug = false;
    bool consoleVisible = false;
    // The pointer's shape and the one it turns to. Only drawing reads them; kept so a
    // restored game reports what the original did.
    int32_t pointerShape = 1;
    int32_t pointerTarget = -1;

    bool operator==(const GameSnapshot& other) const;
    bool operator!=(const GameSnapshot& other) const { return !(*this == other); }
};

// Views read once and kept: restoring a snapshot in another view copies the kept one
// instead of reading its file again. Belongs to one engine (its views' conditions read
// that engine's variables).
class ViewLibrary {
public:
    ViewLibrary(Variables& variables, MessageSink& output, const GameFolder& folder)
        : variables_(variables), output_(output), folder_(folder) {}
    // A fresh copy of the view as its file reads, or null when the file cannot be read
    // at all. Hotspot flags are as loaded; the caller sets its own.
    std::unique_ptr<View> copyOf(const std::string& file);

private:
    Variables& variables_;
    MessageSink& output_;
    const GameFolder& folder_;
    std::map<std::string, std::shared_ptr<const View>> views_;
};

// The game of one engine: its engine-wide state, its scene and its interpreter.
GameSnapshot captureGame(const GameState& state, const Scene& scene,
                         const Interpreter& interpreter);
// Puts the engine back into the captured state. The overlays are cleared (a view change
// does the same). False when the snapshot's view cannot be made again.
bool restoreGame(GameState& state, Scene& scene, Interpreter& interpreter,
                 const GameSnapshot& snapshot, ViewLibrary& views);

// A compact byte string that equals another exactly when the snapshots are equal; for
// hashing and storing many states.
std::string encodeSnapshot(const GameSnapshot& snapshot);
// The inverse; false on bytes encodeSnapshot did not write.
bool decodeSnapshot(const std::string& bytes, GameSnapshot& snapshot);
