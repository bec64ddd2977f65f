#pragma once
// What a command handler is given, and helpers handlers share.
#include <cstddef>
#include <string>
#include <vector>

#include "script/interpreter.h"

struct CommandContext {
    Interpreter& interpreter;
    const std::vector<std::string>& words;  // the line's words; words[0] is the command
    const std::string& line;                // the whole line, for error reports
    const Script& script;                   // the running script (block bodies)
    size_t index;                           // the line's index in `script`
    int depth;
    bool fromConsole;
    bool& branchTaken;
    size_t nextIndex;  // the line to run next; index + 1 unless a command moves it

    void reportError(const std::string& reason) { interpreter.reportCommandError(line, reason); }
    void print(const std::string& text, uint32_t colour) { interpreter.print(text, colour); }
};

// Words from `first` on, joined with nothing between them.
std::string joinWords(const std::vector<std::string>& words, size_t first);

// The language's own statements, installed by every interpreter: if, elseif, else,
// endif, goto, lab, ret, let, echo, echoon, echooff.
void registerLanguageCommands(Interpreter& interpreter);
