#pragma once
// The commands that act on the game: views and hotspots, debugging aids, volume,
// screenshots, the ending, the inventory and the stand-ins for subsystems still to come.
// Each group registers its handlers with the engine's interpreter.
#include "script/interpreter.h"

class Engine;

// A handler given the engine, as the interpreter's handler type.
inline CommandHandler bindEngine(Engine& engine,
                                 CommandResult (*handler)(Engine&, CommandContext&)) {
    return [&engine, handler](CommandContext& ctx) { return handler(engine, ctx); };
}

void registerViewCommands(Engine& engine);
void registerDebugCommands(Engine& engine);
void registerGameCommands(Engine& engine);
void registerSoundCommands(Engine& engine);

inline void registerEngineCommands(Engine& engine) {
    registerViewCommands(engine);
    registerDebugCommands(engine);
    registerGameCommands(engine);
    registerSoundCommands(engine);
}
