// Commands that replace the view and inspect or switch its hotspots.
#include <memory>

#include "engine/console.h"
#include "engine/engine.h"
#include "engine/game_state.h"
#include "engine/pointer.h"
#include "engine/transition.h"
#include "script/commands.h"
#include "script/numbers.h"

namespace {

CommandResult loadCommand(CommandContext& ctx) {
    if (ctx.words.size() < 2) {
        reportCommandError(ctx.line, "Too few arguments");
        return CommandResult::Continue;
    }
    const std::string& file = ctx.words[1];
    if (!fileExists(file)) {
        reportCommandError(ctx.line, "Cannot find file");
        return CommandResult::Continue;
    }
    if (!takeViewLoad()) {
        reportCommandError(ctx.line, "Too many views loaded by one script");
        return CommandResult::Continue;
    }
    GameState& g = game();
    resetPointer();
    // The outgoing picture keeps the overlays while the view changes.
    if (g.backdrop) drawOverlaysOnto(*g.backdrop);
    clearAllOverlays();
    consolePrint("Loading " + file, kWhite);
    g.currentView.reset();
    g.currentView = std::make_unique<View>();
    std::string errorText;
    g.currentView->load(file, errorText);
    runScript(g.currentView->onLoadScript(), ctx.depth + 1, false);
    if (!errorText.empty()) {
        consolePrint(errorText, kRed);
        return CommandResult::Continue;
    }
    // The on-load script may itself have loaded another view: show the current one.
    std::string base = g.currentView ? g.currentView->baseImage() : std::string();
    runTransition(base);
    switchBackdrop(base);
    return CommandResult::End;
}

CommandResult transCommand(CommandContext& ctx) {
    if (ctx.words.size() < 3) {
        reportCommandError(ctx.line, "Too few arguments");
        return CommandResult::Continue;
    }
    GameState& g = game();
    g.transitionType = ctx.words[1];
    int32_t step = leadingInteger(ctx.words[2]);
    g.transitionStep = step > 0 ? step : 50;
    consolePrint("Setting up fade (Type: " + ctx.words[1] + ")", kWhite);
    return CommandResult::Continue;
}

CommandResult evalhsCommand(CommandContext&) {
    consolePrint("Reevaluating hotspot conditions", kWhite);
    if (game().currentView) game().currentView->reevaluateConditions();
    return CommandResult::Continue;
}

CommandResult listhsCommand(CommandContext&) {
    consolePrint("Hotspot List:", kWhite);
    const View* view = game().currentView.get();
    if (!view) return CommandResult::Continue;
    for (size_t i = 0; i < view->hotspotCount(); ++i) {
        const Hotspot& h = view->hotspot(i);
        consolePrint("- " + h.name() + (h.enabled() ? " = Enabled" : " = Disabled") +
                         (h.conditionResult() ? " = Cond True" : " = Cond False"),
                     kWhite);
    }
    return CommandResult::Continue;
}

CommandResult switchHotspots(CommandContext& ctx, bool enabled) {
    View* view = game().currentView.get();
    if (view) view->enableHotspots(ctx.words.size() >= 2 ? &ctx.words[1] : nullptr, enabled);
    return CommandResult::Continue;
}

}  // namespace

void registerViewCommands() {
    registerCommand("load", loadCommand);
    registerCommand("trans", transCommand);
    registerCommand("evalhs", evalhsCommand);
    registerCommand("lisths", listhsCommand);
    registerCommand("enablehs", [](CommandContext& ctx) { return switchHotspots(ctx, true); });
    registerCommand("disablehs", [](CommandContext& ctx) { return switchHotspots(ctx, false); });
}
