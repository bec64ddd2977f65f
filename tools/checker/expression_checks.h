#pragma once
// Conditions and expressions read by the engine's own evaluators against a scratch
// variable store, so no game variable is created; the names left in the store are the
// names the text reads.
#include <string>
#include <string_view>
#include <vector>

struct TextCheck {
    bool parses = true;
    bool tooDeep = false;            // nested deeper than the evaluators follow
    std::vector<std::string> names;  // variables the text reads, in name order
};

TextCheck checkCondition(std::string_view text);
TextCheck checkExpression(std::string_view text);

// A letter, then letters, digits and "_": a name an expression can read.
bool isReadableName(std::string_view name);
// A comparison written with a single "=" (the language writes "=="), for a hint.
bool hasLoneEquals(std::string_view text);
