#include "editor/overlay.h"

#include <cctype>

#include "editor/text_util.h"

namespace {

// Takes one word off the front of s: up to and including the next blank.
std::string takeWord(std::string& s) {
    const size_t blank = s.find(' ');
    std::string word = s.substr(0, blank);
    s.erase(0, blank == std::string::npos ? s.size() : blank + 1);
    return word;
}

// A whole word of optional sign and digits within the 16-bit range.
bool toInt16(const std::string& word, int16_t& out) {
    size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    if (i == word.size() || word.size() > 7) return false;
    for (size_t k = i; k < word.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(word[k]))) return false;
    const long v = std::stol(word);
    if (v < -32768 || v > 32767) return false;
    out = static_cast<int16_t>(v);
    return true;
}

}  // namespace

void overlay::parse(const std::string& str) {
    std::string s = text::trimBlanks(str) + " ";
    takeWord(s);  // the command word
    handle = takeWord(s);
    file = takeWord(s);
    int16_t* targets[] = {&X, &Y, &Z};
    for (int16_t* t : targets) {
        int16_t v = 0;
        if (!toInt16(takeWord(s), v)) return;
        *t = v;
    }
}
