#include "tools/checker/expression_checks.h"

#include "script/evaluator.h"

namespace {

// The evaluators also raise their flag for a division by zero, which depends on the
// values read. A text counts as broken only when it fails with every name at 0 and with
// two sets of distinct non-zero values.
TextCheck check(std::string_view text, bool condition) {
    auto evaluate = [&](Variables& variables, bool& tooDeep) {
        bool error = false;
        if (condition) {
            evaluateCondition(text, variables, error, &tooDeep);
        } else {
            evaluateExpression(text, variables, error, &tooDeep);
        }
        return error;
    };
    TextCheck result;
    Variables scratch;
    bool failed = evaluate(scratch, result.tooDeep);
    for (const auto& entry : scratch) result.names.push_back(entry.first);
    for (int trial = 1; failed && !result.tooDeep && trial <= 2; ++trial) {
        int32_t value = trial;
        for (auto& entry : scratch) {
            entry.second = value;
            value += trial == 1 ? 1 : 7;
        }
        failed = evaluate(scratch, result.tooDeep);
    }
    result.parses = !failed;
    return result;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

TextCheck checkCondition(std::string_view text) {
    return check(text, true);
}

TextCheck checkExpression(std::string_view text) {
    return check(text, false);
}

bool isReadableName(std::string_view name) {
    if (name.empty() || !isLetter(name[0])) return false;
    for (char c : name)
        if (!isLetter(c) && !(c >= '0' && c <= '9') && c != '_') return false;
    return true;
}

bool hasLoneEquals(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') continue;
        const bool before = i > 0 && (text[i - 1] == '=' || text[i - 1] == '!' ||
                                      text[i - 1] == '<' || text[i - 1] == '>');
        const bool after = i + 1 < text.size() && text[i + 1] == '=';
        if (!before && !after) return true;
    }
    return false;
}
