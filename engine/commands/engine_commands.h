#pragma once
// The commands that act on the game: views and hotspots, debugging aids, volume,
// screenshots, the ending, the inventory, sounds and music, movies and overlays.
// Each group registers its handlers with the interpreter and is given only the parts of
// the game it uses. Every command has its row in script/command_rules.cpp: the
// interpreter counts a line's words by it before a handler runs, so handlers read the
// words the row requires without counting again.
#include <memory>
#include <string>

#include "engine/game_services.h"
#include "script/interpreter.h"

struct CommandContext;

// True when the game folder holds `file`; otherwise false after the red pair "Cannot find
// file". Commands check this before they create anything.
bool fileFound(const GameFolder& folder, CommandContext& ctx, const std::string& file);

void registerViewCommands(Interpreter& interpreter, const GameFolder& folder, Scene& scene);
void registerDebugCommands(Interpreter& interpreter, Scene& scene, Screenshots& screenshots,
                           const std::unique_ptr<Screen>& screen,
                           const std::unique_ptr<Mixer>& mixer, bool& debugMode);
void registerGameCommands(Interpreter& interpreter, Inventory& inventory, SavedGames& saves);
void registerSoundCommands(Interpreter& interpreter, const GameFolder& folder,
                           const std::unique_ptr<SoundSlots>& sounds,
                           const std::unique_ptr<MusicControl>& music);
void registerMovieCommands(Interpreter& interpreter, const GameFolder& folder,
                           MoviePlayers& movies);
void registerOverlayCommands(Interpreter& interpreter, const GameFolder& folder, Assets& assets,
                             Scene& scene, MoviePlayers& movies,
                             const std::unique_ptr<Screen>& screen);
void registerReloadCommands(Interpreter& interpreter, Scene& scene);

inline void registerEngineCommands(const GameServices& game) {
    Interpreter& in = game.interpreter;
    registerViewCommands(in, game.folder, game.scene);
    registerDebugCommands(in, game.scene, game.screenshots, game.screen, game.mixer,
                          game.debugMode);
    registerGameCommands(in, game.inventory, game.saves);
    registerSoundCommands(in, game.folder, game.sounds, game.music);
    registerMovieCommands(in, game.folder, game.movies);
    registerOverlayCommands(in, game.folder, game.assets, game.scene, game.movies, game.screen);
    registerReloadCommands(in, game.scene);
}
