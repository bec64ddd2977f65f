#include "script/interpreter.h"

#include <map>

#include "engine/console.h"
#include "script/commands.h"

namespace {

std::string pending;
bool echo = true;
int viewLoads = 0;

std::map<std::string, CommandHandler>& table() {
    static std::map<std::string, CommandHandler> commands;
    static bool filled = false;
    if (!filled) {
        filled = true;
        registerFlowCommands();
        registerViewCommands();
        registerDebugCommands();
        registerGameCommands();
    }
    return commands;
}

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

enum class Jump { Taken, NotFound, Limit };

// Resolves the pending label at depth 0, counting the jump.
Jump resolvePending(const Script& script, int& jumps, size_t& index) {
    if (++jumps == 100) {
        consolePrint("Error:  Excessive goto, suspect infinite loop", kRed);
        pending.clear();
        return Jump::Limit;
    }
    std::string label;
    label.swap(pending);
    if (findLabel(script, label, index)) return Jump::Taken;
    consolePrint("Error:  Could not find goto label " + label, kRed);
    return Jump::NotFound;
}

bool isComment(const std::string& firstWord) {
    size_t start = firstWord.find_first_not_of(" \t\n\r\v\f");
    return start != std::string::npos && firstWord.size() - start >= 2 && firstWord[start] == '/' &&
           firstWord[start + 1] == '/';
}

void run(const Script& script, int depth, bool fromConsole) {
    size_t index = 0;
    int jumps = 0;
    bool branchTaken = false;
    for (;;) {
        if (index >= script.size()) {
            if (pending.empty() || depth != 0) return;
            if (resolvePending(script, jumps, index) != Jump::Taken) return;
            continue;
        }
        const std::string& line = script[index];
        std::vector<std::string> words = splitWords(line);
        if (!pending.empty()) {
            if (depth != 0) return;  // the enclosing invocation resolves it
            Jump jump = resolvePending(script, jumps, index);
            if (jump == Jump::Limit) return;
            if (jump == Jump::Taken) continue;
        }
        if (words.empty() || isComment(words[0])) {
            ++index;
            continue;
        }
        if (echo) consolePrint("-> " + line, kWhite);
        const CommandHandler* handler = findCommand(words[0]);
        if (!handler) {
            consolePrint("Unknown Command", kRed);
            ++index;
            continue;
        }
        CommandContext ctx{words, line, script, index, depth, fromConsole, branchTaken, index + 1};
        // Copy the handler: a command may replace entries of the table while it runs.
        CommandHandler call = *handler;
        if (call(ctx) == CommandResult::End) return;
        index = ctx.nextIndex;
    }
}

}  // namespace

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

void runScript(const Script& script, int depth, bool fromConsole) {
    if (depth > kMaxScriptDepth) {
        consolePrint("Error:  Scripts nested too deeply", kRed);
        return;
    }
    if (depth == 0) viewLoads = 0;
    run(script, depth, fromConsole);
    // A label handed outward by a nested view load is dropped when the outermost
    // script ends, so it cannot jump inside a later, unrelated script.
    if (depth == 0) pending.clear();
}

bool takeViewLoad() {
    return ++viewLoads <= kMaxViewLoadsPerScript;
}

bool echoLines() {
    return echo;
}
void setEchoLines(bool on) {
    echo = on;
}
const std::string& pendingLabel() {
    return pending;
}
void setPendingLabel(const std::string& label) {
    pending = label;
}

void resetInterpreter() {
    echo = true;
    pending.clear();
}

void registerCommand(const std::string& name, CommandHandler handler) {
    table()[name] = std::move(handler);
}

const CommandHandler* findCommand(const std::string& name) {
    auto& commands = table();
    auto it = commands.find(name);
    return it == commands.end() ? nullptr : &it->second;
}

void reportCommandError(const std::string& line, const std::string& reason) {
    consolePrint("Error in Cmd: " + line, kRed);
    consolePrint(reason, kRed);
}

std::string joinWords(const std::vector<std::string>& words, size_t first) {
    std::string joined;
    for (size_t i = first; i < words.size(); ++i) joined += words[i];
    return joined;
}
