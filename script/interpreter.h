#pragma once
// Runs scripts: lists of trimmed lines of blank-separated words, dispatched on their
// first word through a command table. The language's own statements (blocks, jumps,
// assignment, echo) are built in; whoever owns the interpreter registers the commands
// that act on the game. A command described in script/command_rules.h has its words
// counted (and, for a block statement, the console refused) before its handler runs.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/message_sink.h"
#include "script/variables.h"

using Script = std::vector<std::string>;

std::vector<std::string> splitWords(const std::string& line);
// A line whose first word starts with "//" (after white space) is a comment.
bool isCommentWord(const std::string& firstWord);

struct CommandContext;
struct CommandRule;

enum class CommandResult {
    Continue,  // go on at ctx.nextIndex
    End,       // end this invocation
};

using CommandHandler = std::function<CommandResult(CommandContext&)>;

class Interpreter {
public:
    // Both outlive the interpreter.
    Interpreter(Variables& variables, MessageSink& output);
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // depth: nesting of scripts run by blocks and view loads; fromConsole: a typed
    // console line, where block statements are refused.
    void runScript(const Script& script, int depth, bool fromConsole);

    // Installs or replaces a command. Names are matched exactly.
    void registerCommand(const std::string& name, CommandHandler handler);
    // Null when the name is no command.
    const CommandHandler* findCommand(const std::string& name) const;
    // The registered commands' names, in name order.
    std::vector<std::string> commandNames() const;

    // Told after every successful assignment (the view re-evaluates its conditions).
    void setAssignmentListener(std::function<void()> listener) { assigned_ = std::move(listener); }
    void notifyAssignment() {
        if (assigned_) assigned_();
    }

    void print(const std::string& text, uint32_t colour) { output_.print(text, colour); }
    // The red pair "Error in Cmd: <line>" and the reason.
    void reportCommandError(const std::string& line, const std::string& reason);

    Variables& variables() { return variables_; }
    MessageSink& output() { return output_; }

    // State that outlives a script.
    bool echoLines() const { return echo_; }
    void setEchoLines(bool on) { echo_ = on; }
    const std::string& pendingLabel() const { return pending_; }
    void setPendingLabel(const std::string& label) { pending_ = label; }

    // Counts a view load against the outermost script's budget; false when it is spent,
    // so broken views that load each other cannot multiply without end.
    bool takeViewLoad() { return ++viewLoads_ <= kMaxViewLoadsPerScript; }

    static constexpr int kMaxViewLoadsPerScript = 256;
    // Deepest nesting of invocations (blocks and views loaded from on-load scripts).
    static constexpr int kMaxScriptDepth = 48;

private:
    void run(const Script& script, int depth, bool fromConsole);
    enum class Jump { Taken, NotFound, Limit };
    Jump resolvePending(const Script& script, int& jumps, size_t& index);
    struct Command {
        CommandHandler handler;
        const CommandRule* rule;  // null for a command the table does not describe
    };
    CommandResult dispatch(const Command& command, CommandContext& ctx);

    Variables& variables_;
    MessageSink& output_;
    std::map<std::string, Command> commands_;
    std::function<void()> assigned_;
    std::string pending_;
    bool echo_ = true;
    int viewLoads_ = 0;
};
