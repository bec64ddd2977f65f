#include "script/numbers.h"

namespace {

// Past the white space and sign that may lead a number.
size_t numberStart(std::string_view text, bool& negative) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

}  // namespace

bool startsWithInteger(std::string_view text) {
    bool negative;
    size_t i = numberStart(text, negative);
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

int32_t leadingInteger(std::string_view text) {
    bool negative;
    size_t i = numberStart(text, negative);
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}
