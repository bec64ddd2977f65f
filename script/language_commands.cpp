// The language's own statements: blocks, jumps, assignment and echo.
#include "script/commands.h"
#include "script/evaluator.h"

namespace {

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

// Evaluations print the nesting error themselves; any other error is the caller's.
bool condition(CommandContext& ctx, const std::string& text, bool& error) {
    Interpreter& in = ctx.interpreter;
    return evaluateCondition(text, in.variables(), error, in.output());
}

int32_t expression(CommandContext& ctx, const std::string& text, bool& error) {
    Interpreter& in = ctx.interpreter;
    return evaluateExpression(text, in.variables(), error, in.output());
}

CommandResult conditional(CommandContext& ctx, bool isIf) {
    Script body;
    ctx.nextIndex = collectBody(ctx, false, body);
    bool error = false;  // a condition that cannot be parsed just counts as its result
    bool result = condition(ctx, joinWords(ctx.words, 1), error);
    if (isIf) {
        if (result) {
            ctx.branchTaken = true;
            ctx.interpreter.runScript(body, ctx.depth + 1, false);
        }
    } else if (result && !ctx.branchTaken) {
        ctx.branchTaken = true;
        ctx.interpreter.runScript(body, ctx.depth + 1, false);
    }
    return CommandResult::Continue;
}

CommandResult elseCommand(CommandContext& ctx) {
    Script body;
    ctx.nextIndex = collectBody(ctx, true, body);
    if (!ctx.branchTaken) ctx.interpreter.runScript(body, ctx.depth + 1, false);
    ctx.branchTaken = true;
    return CommandResult::Continue;
}

CommandResult endifCommand(CommandContext& ctx) {
    ctx.branchTaken = false;
    return CommandResult::Continue;
}

CommandResult gotoCommand(CommandContext& ctx) {
    ctx.interpreter.setPendingLabel(ctx.words[1]);
    return CommandResult::Continue;
}

CommandResult letCommand(CommandContext& ctx) {
    std::string statement = joinWords(ctx.words, 1);
    size_t equals = statement.find('=');
    if (equals == std::string::npos || equals == 0) {
        ctx.reportError("No Assignment Obvious");
        return CommandResult::End;
    }
    std::string name = statement.substr(0, equals);
    std::string text = statement.substr(equals + 1);
    if (text.empty()) {
        ctx.reportError("No Assignment Obvious");
        return CommandResult::Continue;
    }
    bool error = false;
    int32_t value = expression(ctx, text, error);
    if (error) {
        ctx.reportError("Error parsing expression");
        return CommandResult::Continue;
    }
    ctx.interpreter.variables()[name] = value;
    ctx.interpreter.notifyAssignment();
    return CommandResult::Continue;
}

CommandResult echoCommand(CommandContext& ctx) {
    if (ctx.words.size() < 2) {
        for (const auto& [name, value] : ctx.interpreter.variables())
            ctx.print(name + " = " + std::to_string(value), kWhite);
        return CommandResult::Continue;
    }
    bool error = false;
    int32_t value = expression(ctx, joinWords(ctx.words, 1), error);
    if (error)
        ctx.reportError("Could not parse expression");
    else
        ctx.print(std::to_string(value), kWhite);
    return CommandResult::Continue;
}

CommandResult setEcho(CommandContext& ctx, bool on) {
    ctx.interpreter.setEchoLines(on);
    return CommandResult::Continue;
}

}  // namespace

void registerLanguageCommands(Interpreter& interpreter) {
    interpreter.registerCommand("if", [](CommandContext& ctx) { return conditional(ctx, true); });
    interpreter.registerCommand("elseif",
                                [](CommandContext& ctx) { return conditional(ctx, false); });
    interpreter.registerCommand("else", elseCommand);
    interpreter.registerCommand("endif", endifCommand);
    interpreter.registerCommand("goto", gotoCommand);
    interpreter.registerCommand("lab", [](CommandContext&) { return CommandResult::Continue; });
    interpreter.registerCommand("ret", [](CommandContext&) { return CommandResult::End; });
    interpreter.registerCommand("let", letCommand);
    interpreter.registerCommand("echo", echoCommand);
    interpreter.registerCommand("echoon", [](CommandContext& ctx) { return setEcho(ctx, true); });
    interpreter.registerCommand("echooff", [](CommandContext& ctx) { return setEcho(ctx, false); });
}
