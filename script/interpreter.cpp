#include "script/interpreter.h"

#include "script/command_rules.h"
#include "script/commands.h"

namespace {

// Label lines have exactly two words, "lab" and the name.
bool findLabel(const Script& script, const std::string& label, size_t& lineAfter) {
    for (size_t i = 0; i < script.size(); ++i) {
        std::vector<std::string> words = splitWords(script[i]);
        if (words.size() == 2 && words[0] == "lab" && words[1] == label) {
            lineAfter = i + 1;
            return true;
        }
    }
    return false;
}

}  // namespace

bool isCommentWord(const std::string& firstWord) {
    size_t start = firstWord.find_first_not_of(" \t\n\r\v\f");
    return start != std::string::npos && firstWord.size() - start >= 2 && firstWord[start] == '/' &&
           firstWord[start + 1] == '/';
}

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < line.size()) {
        size_t start = line.find_first_not_of(' ', pos);
        if (start == std::string::npos) break;
        size_t end = line.find(' ', start);
        if (end == std::string::npos) end = line.size();
        words.push_back(line.substr(start, end - start));
        pos = end;
    }
    return words;
}

Interpreter::Interpreter(Variables& variables, MessageSink& output)
    : variables_(variables), output_(output) {
    registerLanguageCommands(*this);
}

// Resolves the pending label at depth 0, counting the jump.
Interpreter::Jump Interpreter::resolvePending(const Script& script, int& jumps, size_t& index) {
    if (++jumps == 100) {
        print("Error:  Excessive goto, suspect infinite loop", kRed);
        pending_.clear();
        return Jump::Limit;
    }
    std::string label;
    label.swap(pending_);
    if (findLabel(script, label, index)) return Jump::Taken;
    print("Error:  Could not find goto label " + label, kRed);
    return Jump::NotFound;
}

void Interpreter::run(const Script& script, int depth, bool fromConsole) {
    size_t index = 0;
    int jumps = 0;
    bool branchTaken = false;
    for (;;) {
        if (index >= script.size()) {
            if (pending_.empty() || depth != 0) return;
            if (resolvePending(script, jumps, index) != Jump::Taken) return;
            continue;
        }
        const std::string& line = script[index];
        std::vector<std::string> words = splitWords(line);
        if (!pending_.empty()) {
            if (depth != 0) return;  // the enclosing invocation resolves it
            Jump jump = resolvePending(script, jumps, index);
            if (jump == Jump::Limit) return;
            if (jump == Jump::Taken) continue;
        }
        if (words.empty() || isCommentWord(words[0])) {
            ++index;
            continue;
        }
        if (echo_) print("-> " + line, kWhite);
        auto command = commands_.find(words[0]);
        if (command == commands_.end()) {
            print("Unknown Command", kRed);
            ++index;
            continue;
        }
        CommandContext ctx{*this, words,       line,        script,   index,
                           depth, fromConsole, branchTaken, index + 1};
        if (dispatch(command->second, ctx) == CommandResult::End) return;
        index = ctx.nextIndex;
    }
}

// What a command's description demands comes first: a block statement typed at the
// console is refused, then a line with too few words is reported; only then does the
// handler see the line.
CommandResult Interpreter::dispatch(const Command& command, CommandContext& ctx) {
    if (const CommandRule* rule = command.rule) {
        if (ctx.fromConsole && rule->atConsole != AtConsole::Runs) {
            ctx.reportError("Cannot use block statements in console");
            if (rule->atConsole == AtConsole::Refused) return CommandResult::End;
        }
        if (ctx.words.size() < static_cast<size_t>(rule->minWords)) {
            ctx.reportError("Too few arguments");
            return rule->whenShort == WhenShort::EndsScript ? CommandResult::End
                                                            : CommandResult::Continue;
        }
    }
    // Copy the handler: a command may replace entries of the table while it runs.
    CommandHandler call = command.handler;
    return call(ctx);
}

void Interpreter::runScript(const Script& script, int depth, bool fromConsole) {
    if (depth > kMaxScriptDepth) {
        print("Error:  Scripts nested too deeply", kRed);
        return;
    }
    if (depth == 0) viewLoads_ = 0;
    run(script, depth, fromConsole);
    // A label handed outward by a nested view load is dropped when the outermost
    // script ends, so it cannot jump inside a later, unrelated script.
    if (depth == 0) pending_.clear();
}

void Interpreter::registerCommand(const std::string& name, CommandHandler handler) {
    commands_[name] = Command{std::move(handler), findCommandRule(name)};
}

const CommandHandler* Interpreter::findCommand(const std::string& name) const {
    auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : &it->second.handler;
}

std::vector<std::string> Interpreter::commandNames() const {
    std::vector<std::string> names;
    names.reserve(commands_.size());
    for (const auto& entry : commands_) names.push_back(entry.first);
    return names;
}

void Interpreter::reportCommandError(const std::string& line, const std::string& reason) {
    print("Error in Cmd: " + line, kRed);
    print(reason, kRed);
}

std::string joinWords(const std::vector<std::string>& words, size_t first) {
    std::string joined;
    for (size_t i = first; i < words.size(); ++i) joined += words[i];
    return joined;
}
