#include "script/evaluator.h"

#include <deque>
#include <string>
#include <vector>

namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isNameChar(char c) {
    return isLetter(c) || isDigit(c) || c == '_';
}

size_t nameEnd(std::string_view text, size_t pos) {
    while (pos < text.size() && isNameChar(text[pos])) ++pos;
    return pos;
}

// Index of the ")" closing the "(" at `open`, or npos when it is never closed.
size_t matchingParen(std::string_view text, size_t open) {
    int level = 1;
    for (size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++level;
        } else if (text[i] == ')') {
            if (--level == 0) return i;
        }
    }
    return std::string_view::npos;
}

bool startsAt(std::string_view text, size_t pos, std::string_view what) {
    return text.substr(pos, what.size()) == what;
}

// One evaluation's variables and error state, handed down the recursion.
struct Scan {
    Variables& variables;
    bool& errorFlag;
    bool nestedTooDeep = false;
};

bool tooDeep(int nesting, Scan& scan) {
    if (nesting <= kMaxExpressionNesting) return false;
    scan.errorFlag = true;
    scan.nestedTooDeep = true;
    return true;
}

// All arithmetic wraps at 32 bits (two's complement), so no input can reach undefined
// behaviour; only a zero divisor is an error.

int32_t wrap(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

int32_t combine(char op, int32_t a, int32_t b, bool& errorFlag) {
    switch (op) {
        case '+':
            return wrap(int64_t{a} + b);
        case '-':
            return wrap(int64_t{a} - b);
        case '*':
            return wrap(int64_t{a} * b);
        case '/':
            if (b == 0) {
                errorFlag = true;
                return 0;
            }
            return wrap(int64_t{a} / b);
        case '%':
            if (b == 0) {
                errorFlag = true;
                return 0;
            }
            return wrap(int64_t{a} % b);
    }
    return 0;
}

int32_t expression(std::string_view text, Scan& scan, int nesting);

bool condition(std::string_view text, Scan& scan, int nesting) {
    if (tooDeep(nesting, scan)) return false;
    bool& errorFlag = scan.errorFlag;
    std::vector<bool> values;
    std::vector<char> connectives;
    int negations = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (isLetter(c)) {
            size_t end = nameEnd(text, pos);
            std::string name(text.substr(pos, end - pos));
            pos = end;
            // Four checks, each where the previous one left off.
            enum { Eq, Ne, Gt, Lt, Ge, Le } op = Eq;
            if (startsAt(text, pos, "==")) {
                op = Eq;
                pos += 2;
            }
            if (startsAt(text, pos, "!=")) {
                op = Ne;
                pos += 2;
            }
            if (startsAt(text, pos, ">=")) {
                op = Ge;
                pos += 2;
            } else if (startsAt(text, pos, ">")) {
                op = Gt;
                pos += 1;
            }
            if (startsAt(text, pos, "<=")) {
                op = Le;
                pos += 2;
            } else if (startsAt(text, pos, "<")) {
                op = Lt;
                pos += 1;
            }
            size_t rightEnd = nameEnd(text, pos);
            std::string_view right = text.substr(pos, rightEnd - pos);
            pos = rightEnd;
            int32_t v = scan.variables[name];
            int32_t r = expression(right, scan, nesting + 1);
            bool result = false;
            switch (op) {
                case Eq:
                    result = v == r;
                    break;
                case Ne:
                    result = v != r;
                    break;
                case Gt:
                    result = v > r;
                    break;
                case Lt:
                    result = v < r;
                    break;
                case Ge:
                    result = v >= r;
                    break;
                case Le:
                    result = v <= r;
                    break;
            }
            values.push_back(result);
        } else if (c == '&' || c == '|') {
            connectives.push_back(c);
            ++pos;
        } else if (c == '(') {
            size_t close = matchingParen(text, pos);
            if (close == std::string_view::npos) {
                errorFlag = true;
                break;
            }
            bool result = condition(text.substr(pos + 1, close - pos - 1), scan, nesting + 1);
            if (negations > 0) {
                result = !result;
                --negations;
            }
            values.push_back(result);
            pos = close + 1;
        } else if (c == '!') {
            ++negations;
            ++pos;
        } else {
            errorFlag = true;
            break;
        }
    }
    while (!connectives.empty()) {
        char op = connectives.back();
        connectives.pop_back();
        bool b = false, a = false;
        if (!values.empty()) {
            b = values.back();
            values.pop_back();
        } else {
            errorFlag = true;
        }
        if (!values.empty()) {
            a = values.back();
            values.pop_back();
        } else {
            errorFlag = true;
        }
        values.push_back(op == '&' ? (a && b) : (a || b));
    }
    if (values.empty()) {
        errorFlag = true;
        return false;
    }
    return values.back();
}

int32_t expression(std::string_view text, Scan& scan, int nesting) {
    if (tooDeep(nesting, scan)) return 0;
    bool& errorFlag = scan.errorFlag;
    std::deque<int32_t> operands;
    std::deque<char> operators;
    size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (isLetter(c)) {
            size_t end = nameEnd(text, pos);
            operands.push_back(scan.variables[std::string(text.substr(pos, end - pos))]);
            pos = end;
        } else if (isDigit(c)) {
            uint32_t value = 0;
            while (pos < text.size() && isDigit(text[pos]))
                value = value * 10u + static_cast<uint32_t>(text[pos++] - '0');
            operands.push_back(static_cast<int32_t>(value));
        } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '%') {
            operators.push_back(c);
            ++pos;
        } else if (c == '(') {
            size_t close = matchingParen(text, pos);
            if (close == std::string_view::npos) {
                errorFlag = true;
                break;
            }
            operands.push_back(
                expression(text.substr(pos + 1, close - pos - 1), scan, nesting + 1));
            pos = close + 1;
        } else {
            errorFlag = true;
            break;
        }
    }
    while (!operators.empty()) {
        char op = operators.front();
        operators.pop_front();
        bool haveFirst = !operands.empty();
        int32_t first = 0;
        if (haveFirst) {
            first = operands.front();
            operands.pop_front();
        }
        bool haveNext = !operands.empty();
        int32_t next = 0;
        if (haveNext) {
            next = operands.front();
            operands.pop_front();
        }
        int32_t result;
        if (op == '-') {
            if (haveNext) {
                result = combine('-', first, next, errorFlag);
            } else {
                // A lone "-" negates; with nothing at all it is an error.
                if (!haveFirst) errorFlag = true;
                result = wrap(-int64_t{first});
            }
        } else {
            if (!haveFirst || !haveNext) errorFlag = true;
            result = combine(op, first, next, errorFlag);
        }
        operands.push_front(result);
    }
    if (operands.empty()) {
        errorFlag = true;
        return 0;
    }
    if (operands.size() > 1) errorFlag = true;
    return operands.front();
}

}  // namespace

bool evaluateCondition(std::string_view text, Variables& variables, bool& errorFlag,
                       bool* tooDeep) {
    Scan scan{variables, errorFlag};
    bool result = condition(text, scan, 0);
    if (tooDeep && scan.nestedTooDeep) *tooDeep = true;
    return result;
}

int32_t evaluateExpression(std::string_view text, Variables& variables, bool& errorFlag,
                           bool* tooDeep) {
    Scan scan{variables, errorFlag};
    int32_t result = expression(text, scan, 0);
    if (tooDeep && scan.nestedTooDeep) *tooDeep = true;
    return result;
}

bool evaluateCondition(std::string_view text, Variables& variables, bool& errorFlag,
                       MessageSink& output) {
    bool tooDeep = false;
    bool result = evaluateCondition(text, variables, errorFlag, &tooDeep);
    if (tooDeep) output.print(kNestedTooDeeply, kRed);
    return result;
}

int32_t evaluateExpression(std::string_view text, Variables& variables, bool& errorFlag,
                           MessageSink& output) {
    bool tooDeep = false;
    int32_t value = evaluateExpression(text, variables, errorFlag, &tooDeep);
    if (tooDeep) output.print(kNestedTooDeeply, kRed);
    return value;
}
