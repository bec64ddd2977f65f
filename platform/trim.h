#pragma once
// White space trimmed from both ends of a text: space, tab, CR, LF, VT and FF.
#include <string>
#include <string_view>

inline bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

inline std::string_view trimWhiteSpace(std::string_view s) {
    while (!s.empty() && isWhiteSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isWhiteSpace(s.back())) s.remove_suffix(1);
    return s;
}

inline std::string trimmed(std::string_view s) {
    return std::string(trimWhiteSpace(s));
}
