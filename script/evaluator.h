#pragma once
// The condition and integer evaluators: hand-written scanners over a text without
// blanks. Both only ever set errorFlag (the caller clears it) and always return a value.
#include <cstdint>
#include <string_view>

// Comparisons "name OP operand" joined by single "&" and "|" (equal precedence, grouped
// from the right), parenthesised groups and "!" before a group.
bool evaluateCondition(std::string_view text, bool& errorFlag);
// Names, numbers, + - * / % and parentheses, combined strictly from left to right.
int32_t evaluateExpression(std::string_view text, bool& errorFlag);

// Deepest parenthesis nesting either evaluator follows; deeper text sets the error flag
// and prints one red console line.
constexpr int kMaxExpressionNesting = 64;
