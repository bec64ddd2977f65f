// "reload" reads the current view's file again in place; "reload onload" also runs its
// on-load script again.
#include "engine/commands/engine_commands.h"
#include "engine/scene.h"
#include "script/commands.h"

namespace {

CommandResult reloadCommand(Scene& scene, CommandContext& ctx) {
    bool onLoad = ctx.words.size() >= 2 && ctx.words[1] == "onload";
    if (ctx.words.size() > 2 || (ctx.words.size() == 2 && !onLoad)) {
        ctx.reportError("Expected nothing or onload");
        return CommandResult::Continue;
    }
    scene.reloadView(onLoad, ctx.depth);
    return CommandResult::Continue;
}

}  // namespace

void registerReloadCommands(Interpreter& interpreter, Scene& scene) {
    interpreter.registerCommand(
        "reload", [&scene](CommandContext& ctx) { return reloadCommand(scene, ctx); });
}
