// Block statements, jumps and assignment.
#include "engine/game_state.h"
#include "script/commands.h"
#include "script/evaluator.h"
#include "script/variables.h"

namespace {

const char* const kConsoleRefusal = "Cannot use block statements in console";

std::string firstWord(const std::string& line) {
    std::vector<std::string> words = splitWords(line);
    return words.empty() ? std::string() : words[0];
}

// Lines after ctx.index up to the terminator of this statement; nested chains travel
// inside the body. Returns the terminator's index, or the script's size.
size_t collectBody(const CommandContext& ctx, bool elseBody, Script& body) {
    int nesting = 0;
    for (size_t i = ctx.index + 1; i < ctx.script.size(); ++i) {
        std::string first = firstWord(ctx.script[i]);
        if (first == "if") ++nesting;
        bool terminator = first == "endif" || (!elseBody && (first == "elseif" || first == "else"));
        if (terminator && nesting == 0) return i;
        if (first == "endif") --nesting;
        body.push_back(ctx.script[i]);
    }
    return ctx.script.size();
}

CommandResult conditional(CommandContext& ctx, bool isIf) {
    if (ctx.fromConsole) {
        reportCommandError(ctx.line, kConsoleRefusal);
        return CommandResult::End;
    }
    if (ctx.words.size() < 2) {
        reportCommandError(ctx.line, "Too few arguments");
        return CommandResult::End;
    }
    std::string condition = joinWords(ctx.words, 1);
    Script body;
    ctx.nextIndex = collectBody(ctx, false, body);
    bool error = false;  // a condition that cannot be parsed just counts as its result
    bool result = evaluateCondition(condition, error);
    if (isIf) {
        if (result) {
            ctx.branchTaken = true;
            runScript(body, ctx.depth + 1, false);
        }
    } else if (result && !ctx.branchTaken) {
        ctx.branchTaken = true;
        runScript(body, ctx.depth + 1, false);
    }
    return CommandResult::Continue;
}

CommandResult elseCommand(CommandContext& ctx) {
    if (ctx.fromConsole) {
        reportCommandError(ctx.line, kConsoleRefusal);
        return CommandResult::End;
    }
    Script body;
    ctx.nextIndex = collectBody(ctx, true, body);
    if (!ctx.branchTaken) runScript(body, ctx.depth + 1, false);
    ctx.branchTaken = true;
    return CommandResult::Continue;
}

CommandResult endifCommand(CommandContext& ctx) {
    if (ctx.fromConsole) reportCommandError(ctx.line, kConsoleRefusal);
    ctx.branchTaken = false;
    return CommandResult::Continue;
}

CommandResult gotoCommand(CommandContext& ctx) {
    if (ctx.fromConsole) {
        reportCommandError(ctx.line, kConsoleRefusal);
        return CommandResult::End;
    }
    if (ctx.words.size() < 2) {
        reportCommandError(ctx.line, "Too few arguments");
        return CommandResult::Continue;
    }
    setPendingLabel(ctx.words[1]);
    return CommandResult::Continue;
}

CommandResult letCommand(CommandContext& ctx) {
    if (ctx.words.size() < 2) {
        reportCommandError(ctx.line, "Too few arguments");
        return CommandResult::Continue;
    }
    std::string statement = joinWords(ctx.words, 1);
    size_t equals = statement.find('=');
    if (equals == std::string::npos || equals == 0) {
        reportCommandError(ctx.line, "No Assignment Obvious");
        return CommandResult::End;
    }
    std::string name = statement.substr(0, equals);
    std::string expression = statement.substr(equals + 1);
    if (expression.empty()) {
        reportCommandError(ctx.line, "No Assignment Obvious");
        return CommandResult::Continue;
    }
    bool error = false;
    int32_t value = evaluateExpression(expression, error);
    if (error) {
        reportCommandError(ctx.line, "Error parsing expression");
        return CommandResult::Continue;
    }
    setVariable(name, value);
    if (game().currentView) game().currentView->reevaluateConditions();
    return CommandResult::Continue;
}

}  // namespace

void registerFlowCommands() {
    registerCommand("if", [](CommandContext& ctx) { return conditional(ctx, true); });
    registerCommand("elseif", [](CommandContext& ctx) { return conditional(ctx, false); });
    registerCommand("else", elseCommand);
    registerCommand("endif", endifCommand);
    registerCommand("goto", gotoCommand);
    registerCommand("lab", [](CommandContext&) { return CommandResult::Continue; });
    registerCommand("ret", [](CommandContext&) { return CommandResult::End; });
    registerCommand("let", letCommand);
}
