// Inventory and saved-game commands.
#include "engine/commands/engine_commands.h"
#include "engine/saved_games.h"
#include "game/inventory.h"
#include "script/commands.h"

namespace {

CommandResult inventoryCommand(Inventory& inventory, CommandContext& ctx, bool add) {
    bool known = add ? inventory.add(ctx.words[1]) : inventory.remove(ctx.words[1]);
    if (!known) ctx.reportError("No index for inventory item found");
    return CommandResult::Continue;
}

}  // namespace

void registerGameCommands(Interpreter& interpreter, Inventory& inventory, SavedGames& saves) {
    interpreter.registerCommand("addinv", [&inventory](CommandContext& ctx) {
        return inventoryCommand(inventory, ctx, true);
    });
    interpreter.registerCommand("delinv", [&inventory](CommandContext& ctx) {
        return inventoryCommand(inventory, ctx, false);
    });
    // Saving is done from the save/load page; the command is accepted and ignored.
    interpreter.registerCommand("savegame",
                                [](CommandContext&) { return CommandResult::Continue; });
    // Restores slot 1; the script goes on with its next line.
    interpreter.registerCommand("loadgame", [&saves](CommandContext&) {
        saves.loadGame(1);
        return CommandResult::Continue;
    });
}
