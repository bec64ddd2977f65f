// Inventory commands, and stand-ins for the commands of the media and saved-game
// subsystems until they install their own handlers.
#include "game/inventory.h"
#include "script/commands.h"

namespace {

CommandResult inventoryCommand(CommandContext& ctx, bool add) {
    if (ctx.words.size() < 2) {
        reportCommandError(ctx.line, "Too few arguments");
        return CommandResult::Continue;
    }
    bool known = add ? addInventoryItem(ctx.words[1]) : removeInventoryItem(ctx.words[1]);
    if (!known) reportCommandError(ctx.line, "No index for inventory item found");
    return CommandResult::Continue;
}

CommandResult notAvailable(CommandContext& ctx) {
    reportCommandError(ctx.line, "Not available yet");
    return CommandResult::Continue;
}

}  // namespace

void registerGameCommands() {
    registerCommand("addinv", [](CommandContext& ctx) { return inventoryCommand(ctx, true); });
    registerCommand("delinv", [](CommandContext& ctx) { return inventoryCommand(ctx, false); });
    // Saving is done from the save/load page; the command is accepted and ignored.
    registerCommand("savegame", [](CommandContext&) { return CommandResult::Continue; });
    for (const char* name :
         {"playmovie", "loadgame", "soundlist", "playsound", "playoverlaymovie", "deloverlayimage",
          "addoverlayimage", "deloverlayanim", "addoverlayanim", "addoverlaymovie",
          "deloverlaymovie", "playmusic", "stopmusic"})
        registerCommand(name, notAvailable);
}
