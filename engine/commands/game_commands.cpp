// Inventory and saved-game commands.
#include "engine/commands/engine_commands.h"
#include "engine/engine.h"
#include "script/commands.h"

namespace {

CommandResult inventoryCommand(Engine& engine, CommandContext& ctx, bool add) {
    Inventory& inventory = engine.state().inventory;
    bool known = add ? inventory.add(ctx.words[1]) : inventory.remove(ctx.words[1]);
    if (!known) ctx.reportError("No index for inventory item found");
    return CommandResult::Continue;
}

}  // namespace

void registerGameCommands(Engine& engine) {
    Interpreter& interpreter = engine.interpreter();
    interpreter.registerCommand(
        "addinv", [&engine](CommandContext& ctx) { return inventoryCommand(engine, ctx, true); });
    interpreter.registerCommand(
        "delinv", [&engine](CommandContext& ctx) { return inventoryCommand(engine, ctx, false); });
    // Saving is done from the save/load page; the command is accepted and ignored.
    interpreter.registerCommand("savegame",
                                [](CommandContext&) { return CommandResult::Continue; });
    // Restores slot 1; the script goes on with its next line.
    interpreter.registerCommand("loadgame", [&engine](CommandContext&) {
        engine.saves().loadGame(1);
        return CommandResult::Continue;
    });
}
