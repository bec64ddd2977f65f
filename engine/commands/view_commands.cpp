// Commands that replace the view and inspect or switch its hotspots.
#include "engine/commands/engine_commands.h"
#include "engine/engine.h"
#include "script/commands.h"
#include "script/numbers.h"

namespace {

CommandResult loadCommand(Engine& engine, CommandContext& ctx) {
    const std::string& file = ctx.words[1];
    if (!fileFound(engine, ctx, file)) return CommandResult::Continue;
    if (!ctx.interpreter.takeViewLoad()) {
        ctx.reportError("Too many views loaded by one script");
        return CommandResult::Continue;
    }
    // A view that loads ends the script that loaded it.
    return engine.scene().replaceView(file, ctx.depth) ? CommandResult::End
                                                       : CommandResult::Continue;
}

CommandResult transCommand(Engine& engine, CommandContext& ctx) {
    Transitions& transition = engine.scene().transition();
    transition.type = ctx.words[1];
    int32_t step = leadingInteger(ctx.words[2]);
    transition.step = step > 0 ? step : 50;
    ctx.print("Setting up fade (Type: " + ctx.words[1] + ")", kWhite);
    return CommandResult::Continue;
}

CommandResult evalhsCommand(Engine& engine, CommandContext& ctx) {
    ctx.print("Reevaluating hotspot conditions", kWhite);
    if (View* view = engine.scene().view()) view->reevaluateConditions();
    return CommandResult::Continue;
}

CommandResult listhsCommand(Engine& engine, CommandContext& ctx) {
    ctx.print("Hotspot List:", kWhite);
    const View* view = engine.scene().view();
    if (!view) return CommandResult::Continue;
    for (size_t i = 0; i < view->hotspotCount(); ++i) {
        const Hotspot& h = view->hotspot(i);
        ctx.print("- " + h.name() + (h.enabled() ? " = Enabled" : " = Disabled") +
                      (h.conditionResult() ? " = Cond True" : " = Cond False"),
                  kWhite);
    }
    return CommandResult::Continue;
}

CommandResult switchHotspots(Engine& engine, CommandContext& ctx, bool enabled) {
    if (View* view = engine.scene().view())
        view->enableHotspots(ctx.words.size() >= 2 ? &ctx.words[1] : nullptr, enabled);
    return CommandResult::Continue;
}

}  // namespace

void registerViewCommands(Engine& engine) {
    Interpreter& interpreter = engine.interpreter();
    interpreter.registerCommand("load", bindEngine(engine, loadCommand));
    interpreter.registerCommand("trans", bindEngine(engine, transCommand));
    interpreter.registerCommand("evalhs", bindEngine(engine, evalhsCommand));
    interpreter.registerCommand("lisths", bindEngine(engine, listhsCommand));
    interpreter.registerCommand(
        "enablehs", [&engine](CommandContext& ctx) { return switchHotspots(engine, ctx, true); });
    interpreter.registerCommand(
        "disablehs", [&engine](CommandContext& ctx) { return switchHotspots(engine, ctx, false); });
}
