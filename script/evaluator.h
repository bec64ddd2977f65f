#pragma once
// The condition and integer evaluators: hand-written scanners over a text without
// blanks. Both only ever set errorFlag (the caller clears it) and always return a value;
// they print nothing, so the caller decides how to report.
#include <cstdint>
#include <string_view>

#include "platform/message_sink.h"
#include "script/variables.h"

// Comparisons "name OP operand" joined by single "&" and "|" (equal precedence, grouped
// from the right), parenthesised groups and "!" before a group. Names read from
// `variables` are created there with 0 when unknown. `tooDeep`, when given, is set when
// the text nests deeper than kMaxExpressionNesting (errorFlag is set too).
bool evaluateCondition(std::string_view text, Variables& variables, bool& errorFlag,
                       bool* tooDeep = nullptr);
// Names, numbers, + - * / % and parentheses, combined strictly from left to right.
int32_t evaluateExpression(std::string_view text, Variables& variables, bool& errorFlag,
                           bool* tooDeep = nullptr);

// The same, with a text nested too deeply said on `output` (kNestedTooDeeply, in red).
bool evaluateCondition(std::string_view text, Variables& variables, bool& errorFlag,
                       MessageSink& output);
int32_t evaluateExpression(std::string_view text, Variables& variables, bool& errorFlag,
                           MessageSink& output);

// Deepest parenthesis nesting either evaluator follows.
constexpr int kMaxExpressionNesting = 64;
// The red line the engine prints for a text nested deeper than that.
constexpr const char* kNestedTooDeeply = "Error:  Expression nested too deeply";
