// Commands that replace the view and inspect or switch its hotspots.
#include "engine/commands/engine_commands.h"
#include "engine/scene.h"
#include "script/commands.h"
#include "script/numbers.h"

namespace {

CommandResult loadCommand(const GameFolder& folder, Scene& scene, CommandContext& ctx) {
    const std::string& file = ctx.words[1];
    if (!fileFound(folder, ctx, file)) return CommandResult::Continue;
    if (!ctx.interpreter.takeViewLoad()) {
        ctx.reportError("Too many views loaded by one script");
        return CommandResult::Continue;
    }
    // A view that loads ends the script that loaded it.
    return scene.replaceView(file, ctx.depth) ? CommandResult::End : CommandResult::Continue;
}

CommandResult transCommand(Scene& scene, CommandContext& ctx) {
    Transitions& transition = scene.transition();
    transition.type = ctx.words[1];
    int32_t step = leadingInteger(ctx.words[2]);
    transition.step = step > 0 ? step : 50;
    ctx.print("Setting up fade (Type: " + ctx.words[1] + ")", kWhite);
    return CommandResult::Continue;
}

CommandResult evalhsCommand(Scene& scene, CommandContext& ctx) {
    ctx.print("Reevaluating hotspot conditions", kWhite);
    if (View* view = scene.view()) view->reevaluateConditions();
    return CommandResult::Continue;
}

CommandResult listhsCommand(Scene& scene, CommandContext& ctx) {
    ctx.print("Hotspot List:", kWhite);
    const View* view = scene.view();
    if (!view) return CommandResult::Continue;
    for (size_t i = 0; i < view->hotspotCount(); ++i) {
        const Hotspot& h = view->hotspot(i);
        ctx.print("- " + h.name() + (h.enabled() ? " = Enabled" : " = Disabled") +
                      (h.conditionResult() ? " = Cond True" : " = Cond False"),
                  kWhite);
    }
    return CommandResult::Continue;
}

CommandResult switchHotspots(Scene& scene, CommandContext& ctx, bool enabled) {
    if (View* view = scene.view())
        view->enableHotspots(ctx.words.size() >= 2 ? &ctx.words[1] : nullptr, enabled);
    return CommandResult::Continue;
}

}  // namespace

void registerViewCommands(Interpreter& interpreter, const GameFolder& folder, Scene& scene) {
    interpreter.registerCommand(
        "load", [&folder, &scene](CommandContext& ctx) { return loadCommand(folder, scene, ctx); });
    interpreter.registerCommand("trans",
                                [&scene](CommandContext& ctx) { return transCommand(scene, ctx); });
    interpreter.registerCommand(
        "evalhs", [&scene](CommandContext& ctx) { return evalhsCommand(scene, ctx); });
    interpreter.registerCommand(
        "lisths", [&scene](CommandContext& ctx) { return listhsCommand(scene, ctx); });
    interpreter.registerCommand(
        "enablehs", [&scene](CommandContext& ctx) { return switchHotspots(scene, ctx, true); });
    interpreter.registerCommand(
        "disablehs", [&scene](CommandContext& ctx) { return switchHotspots(scene, ctx, false); });
}
