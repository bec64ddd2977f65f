// "reload" reads the current view's file again in place; "reload onload" also runs its
// on-load script again.
#include "engine/commands/engine_commands.h"
#include "engine/engine.h"
#include "script/commands.h"

namespace {

CommandResult reloadCommand(Engine& engine, CommandContext& ctx) {
    bool onLoad = ctx.words.size() >= 2 && ctx.words[1] == "onload";
    if (ctx.words.size() > 2 || (ctx.words.size() == 2 && !onLoad)) {
        ctx.reportError("Expected nothing or onload");
        return CommandResult::Continue;
    }
    engine.scene().reloadView(onLoad, ctx.depth);
    return CommandResult::Continue;
}

}  // namespace

void registerReloadCommands(Engine& engine) {
    engine.interpreter().registerCommand("reload", bindEngine(engine, reloadCommand));
}
