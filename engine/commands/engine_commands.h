#pragma once
// The commands that act on the game: views and hotspots, debugging aids, volume,
// screenshots, the ending, the inventory, sounds and music, movies and overlays.
// Each group registers its handlers with the engine's interpreter. Every command has its
// row in script/command_rules.cpp: the interpreter counts a line's words by it before a
// handler runs, so handlers read the words the row requires without counting again.
#include <string>

#include "script/interpreter.h"

class Engine;
struct CommandContext;

// True when the game folder holds `file`; otherwise false after the red pair "Cannot find
// file". Commands check this before they create anything.
bool fileFound(Engine& engine, CommandContext& ctx, const std::string& file);

// A handler given the engine, as the interpreter's handler type.
inline CommandHandler bindEngine(Engine& engine,
                                 CommandResult (*handler)(Engine&, CommandContext&)) {
    return [&engine, handler](CommandContext& ctx) { return handler(engine, ctx); };
}

void registerViewCommands(Engine& engine);
void registerDebugCommands(Engine& engine);
void registerGameCommands(Engine& engine);
void registerSoundCommands(Engine& engine);
void registerMovieCommands(Engine& engine);
void registerOverlayCommands(Engine& engine);
void registerReloadCommands(Engine& engine);

inline void registerEngineCommands(Engine& engine) {
    registerViewCommands(engine);
    registerDebugCommands(engine);
    registerGameCommands(engine);
    registerSoundCommands(engine);
    registerMovieCommands(engine);
    registerOverlayCommands(engine);
    registerReloadCommands(engine);
}
