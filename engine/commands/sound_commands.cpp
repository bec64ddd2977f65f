// Sound effects and music: "playsound", "soundlist", "playmusic", "stopmusic".
#include "engine/commands/engine_commands.h"
#include "engine/engine.h"
#include "script/commands.h"

namespace {

CommandResult playsoundCommand(Engine& engine, CommandContext& ctx) {
    const std::string& file = ctx.words[1];
    if (!fileFound(engine, ctx, file)) return CommandResult::Continue;
    if (SoundSlots* sounds = engine.state().sounds.get()) sounds->playSound(file);
    return CommandResult::Continue;
}

CommandResult soundlistCommand(Engine& engine, CommandContext&) {
    if (SoundSlots* sounds = engine.state().sounds.get()) sounds->soundList();
    return CommandResult::Continue;
}

CommandResult playmusicCommand(Engine& engine, CommandContext& ctx) {
    MusicControl* music = engine.state().music.get();
    if (!music) return CommandResult::Continue;
    // A second word names the file; without one the last file plays again.
    std::string reason =
        ctx.words.size() >= 2 ? music->playMusic(ctx.line, ctx.words[1]) : music->playLastMusic();
    if (!reason.empty()) ctx.reportError(reason);
    return CommandResult::Continue;
}

CommandResult stopmusicCommand(Engine& engine, CommandContext&) {
    if (MusicControl* music = engine.state().music.get()) music->stopMusic();
    return CommandResult::Continue;
}

}  // namespace

void registerSoundCommands(Engine& engine) {
    Interpreter& interpreter = engine.interpreter();
    interpreter.registerCommand("playsound", bindEngine(engine, playsoundCommand));
    interpreter.registerCommand("soundlist", bindEngine(engine, soundlistCommand));
    interpreter.registerCommand("playmusic", bindEngine(engine, playmusicCommand));
    interpreter.registerCommand("stopmusic", bindEngine(engine, stopmusicCommand));
}
