#include "tools/solver/unread_variables.h"

#include <filesystem>
#include <fstream>

#include "script/interpreter.h"

namespace {

bool nameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Every run of name characters in the text (numbers too: they are never let targets).
void namesIn(const std::string& text, std::set<std::string>& into) {
    for (size_t i = 0; i < text.size();) {
        if (!nameChar(text[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && nameChar(text[end])) ++end;
        into.insert(text.substr(i, end - i));
        i = end;
    }
}

std::string joined(const std::vector<std::string>& words, size_t from) {
    std::string out;
    for (size_t i = from; i < words.size(); ++i) out += (i > from ? " " : "") + words[i];
    return out;
}

}  // namespace

std::set<std::string> unreadVariables(const std::vector<std::string>& lines) {
    std::set<std::string> targets, read;
    for (std::string line : lines) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> words = splitWords(line);
        if (words.empty() || isCommentWord(words[0]) || words[0] == "echo") continue;
        if (words[0] == "let" && words.size() >= 2) {
            // As the command reads it: the words after "let", split at the first "=".
            const std::string statement = joined(words, 1);
            const size_t equals = statement.find('=');
            if (equals != std::string::npos && equals > 0) {
                const std::string target = statement.substr(0, equals);
                targets.insert(target);
                std::set<std::string> used;
                namesIn(statement.substr(equals + 1), used);
                used.erase(target);
                read.insert(used.begin(), used.end());
                continue;
            }
        }
        namesIn(line, read);
    }
    std::set<std::string> unread;
    for (const std::string& t : targets)
        if (!read.count(t) && t != "cursor" && t != "cursorinv") unread.insert(t);
    return unread;
}

std::vector<std::string> viewFileLines(const std::string& folder, std::set<std::string>* files) {
    std::vector<std::string> lines;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".scn") != 0) continue;
        if (!entry.is_regular_file(error)) continue;
        if (files) files->insert(name);
        std::ifstream in(entry.path(), std::ios::binary);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    return lines;
}
