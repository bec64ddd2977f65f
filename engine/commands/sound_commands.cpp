// Sound effects and music: "playsound", "soundlist", "playmusic", "stopmusic".
#include "engine/commands/engine_commands.h"
#include "media/music_control.h"
#include "media/sound_slots.h"
#include "script/commands.h"

namespace {

using SoundsSlot = std::unique_ptr<SoundSlots>;
using MusicSlot = std::unique_ptr<MusicControl>;

CommandResult playsoundCommand(const GameFolder& folder, const SoundsSlot& sounds,
                               CommandContext& ctx) {
    const std::string& file = ctx.words[1];
    if (!fileFound(folder, ctx, file)) return CommandResult::Continue;
    if (sounds) sounds->playSound(file);
    return CommandResult::Continue;
}

CommandResult soundlistCommand(const SoundsSlot& sounds) {
    if (sounds) sounds->soundList();
    return CommandResult::Continue;
}

CommandResult playmusicCommand(const MusicSlot& slot, CommandContext& ctx) {
    MusicControl* music = slot.get();
    if (!music) return CommandResult::Continue;
    // A second word names the file; without one the last file plays again.
    std::string reason =
        ctx.words.size() >= 2 ? music->playMusic(ctx.line, ctx.words[1]) : music->playLastMusic();
    if (!reason.empty()) ctx.reportError(reason);
    return CommandResult::Continue;
}

CommandResult stopmusicCommand(const MusicSlot& music) {
    if (music) music->stopMusic();
    return CommandResult::Continue;
}

}  // namespace

void registerSoundCommands(Interpreter& interpreter, const GameFolder& folder,
                           const SoundsSlot& sounds, const MusicSlot& music) {
    interpreter.registerCommand("playsound", [&folder, &sounds](CommandContext& ctx) {
        return playsoundCommand(folder, sounds, ctx);
    });
    interpreter.registerCommand("soundlist",
                                [&sounds](CommandContext&) { return soundlistCommand(sounds); });
    interpreter.registerCommand(
        "playmusic", [&music](CommandContext& ctx) { return playmusicCommand(music, ctx); });
    interpreter.registerCommand("stopmusic",
                                [&music](CommandContext&) { return stopmusicCommand(music); });
}
